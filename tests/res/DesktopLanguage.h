#pragma once

#include <QString>

namespace tq::test {

// The language the desktop names for this run of the test program ("de", or empty for none),
// and the one installTranslations() chose for it.
struct DesktopLanguage {
    QString named;
    QString installed;
};

const DesktopLanguage &desktopLanguage();
void setDesktopLanguage(const DesktopLanguage &language);

// `german` on the German desktop, `english` on the one that names no language.
QString inDesktopLanguage(const char *german, const char *english);

} // namespace tq::test
