#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

class SettingsStore;

// What the Filtering page edits beside the kill words.
struct FilteringSetupValues {
    bool dontDuplicate = true;
    bool onlyKnowUsers = false;
    bool recvNMessages = false;
    bool saveDead = true;
    QString deadFileName;

    // `appDataDir` gives the filtered-message file its default place.
    static FilteringSetupValues read(const SettingsStore &store, const QString &appDataDir);
    void write(SettingsStore &store) const;
};

// The kill-word file as the page edits it: every line followed by CR LF, shown as text.
// Saving writes the edited text whole, with CR LF line ends and no line end added. A text the
// user left as it was goes back byte for byte, so words written in another encoding keep
// matching the messages they were meant for.
class KillWordText {
public:
    // A missing or unreadable file gives an empty text.
    static KillWordText load(const QString &path);

    const QString &text() const { return m_text; }
    // `edited` as the edit gives it (line feeds); false when the file could not be written.
    bool save(const QString &path, const QString &edited) const;

    static QByteArray fileBytes(const QString &edited);

private:
    QByteArray m_loaded;
    QString m_text;
};

} // namespace tq
