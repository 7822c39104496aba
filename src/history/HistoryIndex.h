#pragma once

#include "history/HistoryEntry.h"
#include "messages/MessageFiles.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <thread>
#include <vector>

namespace tq {

// Every stored message, oldest first, for the history window and `tarquel history`.
//
// The start-up reads each message file once (ReadStoredMessageFiles): the message list takes
// the records, and build() gets the same records, sharing their bytes. The entries are made on
// a worker thread and come in by batches, so the user-interface thread never waits for them and
// a window can show what is there while the rest comes in. From then on the owner keeps the
// index current: add() for each message whose file has been written, remove() for each file
// deleted.
//
// The index lives on the user-interface thread. snapshot() hands out the entries as they are;
// a snapshot never changes, so a search may read it on any thread while the index goes on.
class HistoryIndex : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::shared_ptr<const HistoryEntries>;

    explicit HistoryIndex(QObject *parent = nullptr);
    // Stops a build that is still running and waits for its thread.
    ~HistoryIndex() override;

    // Makes the entries of `files` on a worker thread; a build still running is dropped.
    void build(std::vector<StoredMessageFile> files);
    bool isBuilding() const { return m_building; }

    Snapshot snapshot() const { return m_entries; }
    qsizetype size() const { return qsizetype(m_entries->size()); }

    // A message whose file has just been written; nothing for one without a file, or one
    // whose file the index holds already.
    void add(const MessageRecord &record, qint64 modifiedMs = QDateTime::currentMSecsSinceEpoch());
    // The message whose file was `filePath`, also when its entry is still being built.
    void remove(const QString &filePath);

    // Entries of stored files in arrival order, made on the calling thread: for a caller that
    // has nothing else to do meanwhile.
    static HistoryEntries entriesOf(const std::vector<StoredMessageFile> &files);

Q_SIGNALS:
    // Entries came or went.
    void changed();
    void buildFinished();

private:
    void mergeBatch(quint64 build, HistoryEntries batch);
    void finishBuild(quint64 build);
    // The entries to change; copied first while a snapshot of them is out.
    HistoryEntries &writableEntries();

    std::shared_ptr<HistoryEntries> m_entries;
    QSet<QString> m_paths;
    // Files deleted while their entries may still be on the way from the build.
    QSet<QString> m_removedWhileBuilding;
    quint64 m_build = 0;
    bool m_building = false;
    std::jthread m_builder;
};

} // namespace tq
