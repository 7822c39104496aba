#pragma once

#include "history/HistorySnapshot.h"
#include "messages/MessageFiles.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <thread>
#include <vector>

namespace tq {

// Every stored message, for the history window and `tarquel history`.
//
// The start-up reads each message file once (ReadStoredMessageFiles): the message list takes
// the records, and build() gets the same records, sharing their bytes. The entries and their
// word index are made on a worker thread and come in by batches, so the user-interface thread
// never waits for them and a window can show what is there while the rest comes in. From then
// on the owner keeps the index current: add() for each message whose file has been written,
// remove() for each file deleted.
//
// The index lives on the user-interface thread; snapshot() hands out the history as it is.
class HistoryIndex : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::shared_ptr<const HistorySnapshot>;

    explicit HistoryIndex(QObject *parent = nullptr);
    // Stops a build that is still running and waits for its thread.
    ~HistoryIndex() override;

    // Makes the entries of `files` on a worker thread; a build still running is dropped.
    void build(std::vector<StoredMessageFile> files);
    bool isBuilding() const { return m_building; }

    Snapshot snapshot() const { return m_snapshot; }
    qsizetype size() const { return qsizetype(m_snapshot->entries.size()); }

    // A message whose file has just been written; nothing for one without a file, or one
    // whose file the index holds already.
    void add(const MessageRecord &record, qint64 modifiedMs = QDateTime::currentMSecsSinceEpoch());
    // The message whose file was `filePath`, also when its entry is still being built.
    void remove(const QString &filePath);

    // The history of `files`, made on the calling thread: for a caller that has nothing else
    // to do meanwhile.
    static Snapshot snapshotOf(const std::vector<StoredMessageFile> &files);

Q_SIGNALS:
    // Entries came or went.
    void changed();
    void buildFinished();

private:
    void mergeGroup(quint64 build, std::shared_ptr<const WordIndex> group);
    void finishBuild(quint64 build);
    // The snapshot to change; copied first while it is handed out.
    HistorySnapshot &writableSnapshot();

    std::shared_ptr<HistorySnapshot> m_snapshot;
    QSet<QString> m_paths;
    // Files deleted while their entries may still be on the way from the build.
    QSet<QString> m_removedWhileBuilding;
    // Whether the last word group holds arrivals, which it takes until it is full.
    bool m_lastGroupTakesArrivals = false;
    quint64 m_build = 0;
    bool m_building = false;
    std::jthread m_builder;
};

} // namespace tq
