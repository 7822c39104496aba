#pragma once

#include <QDialog>

class QLabel;

namespace tq {

class Shell;

// The About box: the product's name and version, its web site and a mail address to write to.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char *kMailAddress = "support@tarquel.com";

    // `url` is the "Url" setting: the site's address without "http://".
    AboutDialog(const QString &url, Shell &shell, QWidget *parent = nullptr);

    QLabel *webLink() const { return m_webLink; }
    QLabel *mailLink() const { return m_mailLink; }

private:
    QLabel *m_webLink = nullptr;
    QLabel *m_mailLink = nullptr;
};

} // namespace tq
