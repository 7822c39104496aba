#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace tq {

class SettingsStore;

// The reason lines that head the entries of the filtered-message file. Whoever reads the file
// finds them in this spelling whatever language the program shows: they are never translated.
namespace filtered {
inline constexpr char kNonStandard[] = "Non Standard Message.\r\n";
inline constexpr char kNotInAddressBook[] = "Message From non-Address Book User.\r\n";
inline constexpr char kNotActivated[] = "Message From non-Activated User.\r\n";
// Followed by the kill word, '"' and CR LF.
inline constexpr char kKillWordPrefix[] = "Message with string \"";
inline constexpr char kDuplicated[] = "Duplicated Message\r\n";
} // namespace filtered

// The plain-text file that keeps what the incoming road held back: messages a filter
// rejected and packets that could not be parsed, one entry after the other, each closed by
// a line of 43 '*'. Bytes are written as they are (CR LF stays CR LF).
//
// When the file cannot be written the user is told once; further failures stay silent until
// a write succeeds again or the file setting changes, so a flood of rejected messages cannot
// stack up boxes. The message stays rejected either way.
class FilteredMessageFile {
public:
    enum class Result { Written, Off, Failed };

    // `tellUser` shows the user a text in a box. Until a target is set the file is written
    // with the defaults of "SaveDead" and "DeadFileName" in `dataDir`.
    FilteredMessageFile(std::function<void(const QString &text)> tellUser, const QString &dataDir);

    // The station's copy of "SaveDead" and "DeadFileName", after the preferences changed.
    void setTarget(bool saveDead, const QString &path);
    // The same from the store; `dataDir` holds the file unless the settings name another.
    void loadTarget(const SettingsStore &store, const QString &dataDir);
    bool saveDead() const { return m_saveDead; }
    // While the disk is nearly full nothing is written: each entry counts as off.
    void setSuspended(bool suspended) { m_suspended = suspended; }
    const QString &path() const { return m_path; }

    // Appends one entry. `length` 0: `bytes` is a text, kept up to its first NUL.
    // `length` > 0: the first `length` bytes of a buffer in which each NUL is written as the
    // two characters backslash and zero, as is the buffer's end when no NUL closes it.
    Result SaveFilteredMessage(QByteArrayView bytes, qsizetype length = 0);

private:
    std::function<void(const QString &text)> m_tellUser;
    bool m_saveDead = true;
    QString m_path;
    bool m_failureShown = false;
    bool m_suspended = false;
};

// The text of an entry: the reason line (ending in CR LF), a line of 43 '*', the arrival
// stamp line, then the message as received. Saved in the text form.
QByteArray filteredEntryText(QByteArrayView reasonLine, QByteArrayView arrivalStamp, QByteArrayView messageText);

// The entry of a packet that could not be parsed: the reason line "Non Standard Message.", a
// line of 43 '*', the arrival stamp line, then the received bytes as they came, NULs
// included. Saved in the buffer form with its whole size as the length.
QByteArray nonStandardMessageBuffer(QByteArrayView arrivalStamp, QByteArrayView receivedData);

} // namespace tq
