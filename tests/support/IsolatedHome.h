#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tq::test {

// Points HOME and the XDG folders at a fresh temporary folder for the life of one test, so no
// test reads or writes the real user's files. The application-data folder follows it.
class IsolatedHome : public ::testing::Test {
protected:
    // The environment changes in the constructor, so members of a derived fixture that read
    // it (a SettingsStore, say) already see the temporary home.
    IsolatedHome();
    ~IsolatedHome() override;

    QString homePath() const { return m_dir.path(); }
    // The application-data folder inside the temporary home.
    QString appDataDir() const;

private:
    QTemporaryDir m_dir;
};

// Sets the same variables once for the whole test program, before any Qt object reads them.
void isolateProcessHome();

} // namespace tq::test
