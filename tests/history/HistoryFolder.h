#pragma once

#include "history/HistoryIndex.h"
#include "messages/MessageFiles.h"
#include "settings/AppDataDir.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tq::test {

// A messages folder as years of use leave it: UTF-8 and Windows-1252 texts, CR LF inside
// texts, names from other years (the name holds no year), a text without a stamp line, and
// files that are no messages at all.
class HistoryFolder : public IsolatedHome {
protected:
    const QString folder = AppDataDir::messagesPath();

    // Newest first: 1 March 2024 back to 15 June 2022.
    static inline const QString chloe = QString::fromUtf8("0301080000000CHLO\xC3\x89.tqm");
    static inline const QString bernd = QStringLiteral("0210143000000BERND.tqm");
    static inline const QString annLunch = QStringLiteral("0105093000000ANN.tqm");
    static inline const QString zed = QStringLiteral("0103000000000ZED.tqm");
    static inline const QString annNewYear = QStringLiteral("1231235959000ANN.tqm");
    static inline const QString dan = QStringLiteral("0615120000000DAN.tqm");

    static inline const QByteArray berndText = "Saturday, 10 February 2024, 14:30:00\r\nMessage from Bernd to Bob.\r\n"
                                               "\r\nGr\xFC\xDF"
                                               "e aus M\xFC"
                                               "nchen, \x80 50";
    static inline const QByteArray annLunchText = "Friday, 5 January 2024, 09:30:00\r\nMessage from Ann Example to "
                                                  "Bob.\r\n\r\nLunch at noon?\r\nThe usual place.";

    HistoryFolder()
    {
        put(chloe,
            "0CHLO\xC3\x89/10.0.0.9\r\nFriday, 1 March 2024, 08:00:00\r\nMessage from Chlo\xC3\xA9 to Bob.\r\n"
            "\r\n\xC3\x84RGER im B\xC3\xBCro\r\n");
        put(bernd, "1BERND/10.0.0.7:8000u\r\n" + berndText);
        put(annLunch, "0ANN/10.0.0.5\r\n" + annLunchText);
        // No stamp line: the year comes from the file's time, the whole text is the message.
        put(zed, "0ZED/10.0.0.12\r\nhello without stamp", QDateTime(QDate(2024, 1, 3), QTime(0, 0, 1)));
        put(annNewYear,
            "0ANN/10.0.0.5\r\nSunday, 31 December 2023, 23:59:59\r\nMessage from Ann Example to Bob.\r\n\r\n"
            "Happy new year!");
        // A stamp in words of another locale: the year comes from when the file was written.
        put(dan, "0DAN/10.0.0.11\r\nkein Datum\r\nMessage from Dan to Bob.\r\n\r\nOld lunch notes",
            QDateTime(QDate(2022, 7, 1), QTime(12, 0)));
        put(QStringLiteral("0101000000000EMPTY.tqm"), "");
        put(QStringLiteral("0102000000000NOLF.tqm"), "0no line end at all\n");
        put(QStringLiteral("notes.txt"), "0NOTES/10.0.0.1\r\nnot a message file");
    }

    void put(const QString &name, const QByteArray &content, const QDateTime &modified = {})
    {
        ASSERT_TRUE(writeFile(folder + name, content)) << name.toStdString();
        if (modified.isValid()) {
            QFile file(folder + name);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        }
    }

    // Builds `index` from the folder as the start-up would, and waits for the build to end.
    void buildIndex(HistoryIndex &index)
    {
        index.build(ReadStoredMessageFiles(folder));
        ASSERT_TRUE(waitUntil([&index] { return !index.isBuilding(); }));
    }

    static QStringList fileNamesOf(const std::vector<const HistoryEntry *> &entries)
    {
        QStringList names;
        for (const HistoryEntry *entry : entries)
            names.append(QFileInfo(entry->record.filePath).fileName());
        return names;
    }
};

} // namespace tq::test
