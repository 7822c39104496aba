#include "QueueTestSupport.h"

#include "protocol/DeliveryReceipt.h"
#include "protocol/MessagePacket.h"
#include "support/LoopbackPeer.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace tq::test {

QueuedMessage waitingMessage(const QString &destination, SendTransport transport, int port, const QByteArray &body,
                             int replyPort)
{
    const MessagePacket packet{{}, "Message from Ann to Bob.\r\n" + body, "ANN", '0', "ann@example.org"};
    QueuedMessage entry;
    entry.destination = destination;
    const qsizetype slash = destination.lastIndexOf(QLatin1Char('/'));
    entry.name = slash > 0 ? destination.first(slash) : destination;
    QString address = destination.sliced(slash + 1);
    entry.host = address.first(address.contains(QLatin1Char(':')) ? address.indexOf(QLatin1Char(':')) : address.size());
    entry.transport = transport;
    entry.port = port;
    entry.streamPacket = BuildStreamPacket(packet, "127.0.0.1", replyPort);
    entry.datagramPacket = BuildDatagramPacket(packet, "127.0.0.1", replyPort);
    // Whole seconds, as a wall clock of the tests gives them, and as the file keeps them.
    entry.queuedAt = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    return entry;
}

RefusingPort::RefusingPort(SendTransport transport)
{
    const bool tcp = transport == SendTransport::Tcp;
    // Bound on every address, the port is taken neither by another test's listener nor as
    // the source port of any connection, on 127.0.0.1 or another loopback address, until
    // the station that starts here binds it in turn.
    for (int attempt = 0; attempt < 50 && m_port == 0; ++attempt) {
        const int candidate = tcp ? unusedTcpPort() : unusedUdpPort();
        UniqueFd fd(::socket(AF_INET, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0));
        sockaddr_in any{};
        any.sin_family = AF_INET;
        any.sin_addr.s_addr = htonl(INADDR_ANY);
        any.sin_port = htons(static_cast<uint16_t>(candidate));
        if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&any), sizeof any) != 0)
            continue;
        if (!tcp) {
            // Connected to the discard port, it hears nobody else: others get "port unreachable".
            sockaddr_in discard{};
            discard.sin_family = AF_INET;
            discard.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            discard.sin_port = htons(9);
            ::connect(fd.get(), reinterpret_cast<const sockaddr *>(&discard), sizeof discard);
        }
        m_socket = std::move(fd);
        m_port = candidate;
    }
}

void RefusingPort::listenWithoutAnswering()
{
    ::listen(m_socket.get(), 16);
}

bool RefusingPort::isCalled() const
{
    pollfd waiting{m_socket.get(), POLLIN, 0};
    return ::poll(&waiting, 1, 0) == 1;
}

TcpStationAt::TcpStationAt(RefusingPort &place)
    : TcpStationAt((place.release(), place.port()))
{
}

TcpStationAt::TcpStationAt(int port)
    : m_receiver(port)
{
    QObject::connect(&m_receiver, &CReceiveThread::incomingMessage, &m_context,
                     [this](Transport, const ReceivedData &data) { packets.append(data.data); });
    // Kept on the listener's own thread: the sender is answered while the test waits for it.
    QObject::connect(
        &m_receiver, &CReceiveThread::incomingMessage, &m_context,
        [](Transport, const ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
    m_receiver.start();
    waitUntil([this] { return isListening(); });
}

TcpStationAt::~TcpStationAt()
{
    m_receiver.stop();
}

UdpStation::UdpStation(int listenPort, int receiptSizeSkew)
    : m_receiver(listenPort)
{
    QObject::connect(&m_receiver, &CUDPReceiveThread::incomingMessage, &m_context,
                     [this, receiptSizeSkew](Transport, const ReceivedData &data) {
                         packets.append(data.data);
                         const ParsedPacket parsed = ParseDatagramPacket(data.data);
                         if (!parsed.wellFormed || isDeliveryReceipt(data.data))
                             return;
                         QByteArray text = parsed.text;
                         text.append(QByteArray(receiptSizeSkew, 'x'));
                         const ReceiptIdentity own{"BOB", {}, "127.0.0.1", port()};
                         const int replyPort = parsed.replyAddress.split(':').value(1).chopped(1).toInt();
                         tq::sendDatagram(data.senderIp, replyPort,
                                          BuildDeliveryReceipt(text, "Monday, 6 May 2024, 09:12:00", own));
                     });
    m_receiver.start();
    waitUntil([this] { return port() != 0; });
}

UdpStation::~UdpStation()
{
    m_receiver.stop();
}

QueueFixture::QueueFixture()
{
    settings.set(keys::RetryInterval, 1);
    settings.set(keys::Delay, 2000);
}

int filesStartingWith(const QString &folder, const QString &prefix)
{
    return static_cast<int>(
        QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size());
}

} // namespace tq::test
