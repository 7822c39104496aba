#include "platform/CanberraSoundPlayer.h"

#include "platform/SoundRequest.h"

#include <QFile>

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace tq {
namespace {

// A sound that has not ended after this long is cut off, so that a sound system that never
// reports the end cannot silence every later request.
constexpr std::chrono::seconds kLongestSound{120};

struct Request {
    SoundRequest sound;
    SoundPlayer::Fallback fallback = SoundPlayer::Fallback::None;
};

} // namespace

struct CanberraSoundPlayer::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Request> pending;
    bool playing = false;
    // The end of a sound that was cut off may be reported late; only the current one counts.
    uint32_t soundId = 0;
    bool finished = false;
    int finishCode = CA_SUCCESS;
};

CanberraSoundPlayer::CanberraSoundPlayer(std::function<void()> beep, QStringList programFolders)
    : m_beep(std::move(beep))
    , m_programFolders(std::move(programFolders))
    , m_shared(std::make_shared<Shared>())
    , m_worker([this](std::stop_token stop) { run(stop); })
{
}

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    m_worker.request_stop();
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->changed.notify_all();
    }
    m_worker.join();
}

void CanberraSoundPlayer::play(const QString &sound, Fallback fallback)
{
    const SoundRequest request = soundRequestFor(sound, m_programFolders);
    if (request.isEmpty()) {
        if (fallback == Fallback::Beep)
            beep();
        return;
    }
    const std::lock_guard lock(m_shared->mutex);
    if (m_shared->playing || m_shared->pending)
        return;
    m_shared->pending = Request{request, fallback};
    m_shared->changed.notify_all();
}

void CanberraSoundPlayer::beep()
{
    if (m_beep)
        m_beep();
}

bool CanberraSoundPlayer::isIdle() const
{
    const std::lock_guard lock(m_shared->mutex);
    return !m_shared->playing && !m_shared->pending;
}

void CanberraSoundPlayer::fallBack()
{
    QMetaObject::invokeMethod(
        &m_beepContext, [this] { beep(); }, Qt::QueuedConnection);
}

void CanberraSoundPlayer::run(std::stop_token stop)
{
    ca_context *context = nullptr;
    Shared &shared = *m_shared;
    const auto finished = [](ca_context *, uint32_t id, int code, void *userData) {
        auto *state = static_cast<Shared *>(userData);
        const std::lock_guard lock(state->mutex);
        if (id != state->soundId)
            return;
        state->finished = true;
        state->finishCode = code;
        state->changed.notify_all();
    };

    while (true) {
        Request request;
        {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait(lock, [&] { return stop.stop_requested() || shared.pending; });
            if (stop.stop_requested())
                break;
            request = std::move(*shared.pending);
            shared.pending.reset();
            shared.playing = true;
            shared.finished = false;
            ++shared.soundId;
        }

        int result = CA_SUCCESS;
        if (!context) {
            result = ca_context_create(&context);
            if (result == CA_SUCCESS) {
                ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Tarquel Messenger", CA_PROP_APPLICATION_ID,
                                        "com.tarquel.messenger", nullptr);
                result = ca_context_open(context);
            }
            if (result != CA_SUCCESS && context) {
                ca_context_destroy(context);
                context = nullptr;
            }
        }
        if (result == CA_SUCCESS) {
            ca_proplist *properties = nullptr;
            ca_proplist_create(&properties);
            if (!request.sound.eventId.isEmpty())
                ca_proplist_sets(properties, CA_PROP_EVENT_ID, request.sound.eventId.constData());
            if (!request.sound.filePath.isEmpty())
                ca_proplist_sets(properties, CA_PROP_MEDIA_FILENAME,
                                 QFile::encodeName(request.sound.filePath).constData());
            ca_proplist_sets(properties, CA_PROP_MEDIA_ROLE, "event");
            result = ca_context_play_full(context, shared.soundId, properties, finished, &shared);
            ca_proplist_destroy(properties);
        }
        if (result == CA_SUCCESS) {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait_for(lock, kLongestSound, [&] { return shared.finished || stop.stop_requested(); });
            const bool ended = shared.finished;
            result = ended ? shared.finishCode : CA_ERROR_CANCELED;
            lock.unlock();
            if (!ended)
                ca_context_cancel(context, shared.soundId);
        }
        if (result != CA_SUCCESS && result != CA_ERROR_CANCELED && request.fallback == Fallback::Beep)
            fallBack();
        const std::lock_guard lock(shared.mutex);
        shared.playing = false;
        if (stop.stop_requested())
            break;
    }
    if (context)
        ca_context_destroy(context);
}

} // namespace tq
