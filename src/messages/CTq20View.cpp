#include "messages/CTq20View.h"

#include "addressbook/DestinationComboBox.h"
#include "messages/AddSenderMenu.h"
#include "messages/DisplayText.h"
#include "messages/MessageEdit.h"
#include "messages/ReplyComposer.h"
#include "messages/SendTimeDisplay.h"
#include "platform/MemoryTrim.h"
#include "platform/Prompter.h"
#include "platform/TrayIcon.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tq {
namespace {

constexpr int kTrimDelayMs = 1000;

} // namespace

CTq20View::CTq20View(MessageStation &station, SettingsStore &settings, Prompter &prompter, TrayIcon &tray,
                     const Clock &clock, QWidget *parent)
    : QWidget(parent)
    , m_station(station)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_tray(tray)
{
    setObjectName(QStringLiteral("messageView"));
    setMouseTracking(true);
    chooseFormFont();
    m_commands = new ViewCommands(m_station, this);
    m_addSenderMenu =
        new AddSenderMenu(action(Command::AddSenderOutsideAnyGroup), action(Command::AddSenderJunk), this);
    createControls();
    m_splitter =
        std::make_unique<ViewSplitter>(*this,
                                       ViewSplitter::Controls{m_messagePane, m_destinationBox, m_importanceIcon,
                                                              m_autoAnswerCheck, m_composeBox, m_sendButton},
                                       m_settings.get(keys::BottomRecText));
    m_composer = new ReplyComposer(m_station, m_prompter,
                                   {m_composeBox, m_destinationBox, m_autoAnswerCheck, m_sendButton}, this);
    m_sendTime = new SendTimeDisplay(clock, this);
    connectCommands();
    connectStation();

    m_trimTimer.setSingleShot(true);
    m_trimTimer.setInterval(kTrimDelayMs);
    connect(&m_trimTimer, &QTimer::timeout, this, &trimResidentMemory);
    updateCommandStates();
}

CTq20View::~CTq20View()
{
    m_settings.set(keys::BottomRecText, m_splitter->position());
}

QMenu *CTq20View::addSenderMenu() const
{
    return m_addSenderMenu;
}

void CTq20View::chooseFormFont()
{
    // The form asks for Verdana at 8 points; DejaVu Sans has its proportions and stands in
    // where Verdana is not installed, which is the rule on this platform, not a fault.
    QString family;
    if (QFontDatabase::hasFamily(QStringLiteral("Verdana")))
        family = QStringLiteral("Verdana");
    else if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")))
        family = QStringLiteral("DejaVu Sans");
    m_formFontMissing = family.isEmpty();
    m_formFont = m_formFontMissing ? font() : QFont(family);
    m_formFont.setPointSize(8);
    m_boldFormFont = m_formFont;
    m_boldFormFont.setWeight(QFont::Bold);
    setFont(m_formFont);
}

void CTq20View::createControls()
{
    m_messagePane = new MessageEdit(this);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    m_messagePane->setReadOnly(true);
    m_messagePane->setContextMenu(editMenu());

    m_destinationBox = new DestinationComboBox(this);
    m_destinationBox->setObjectName(QStringLiteral("destinationBox"));
    m_destinationBox->setMaxVisibleItems(12);
    m_destinationBox->setToolTip(tqString(Sid::DestinationTip));

    m_autoAnswerCheck = new QCheckBox(tqString(Sid::AutoAnswerCaption), this);
    m_autoAnswerCheck->setObjectName(QStringLiteral("autoAnswerCheck"));
    m_autoAnswerCheck->setToolTip(tqString(Sid::AutoAnswerTip));

    m_importanceIcon = new QLabel(this);
    m_importanceIcon->setObjectName(QStringLiteral("importanceIcon"));
    m_importanceIcon->setPixmap(importancePixmap(devicePixelRatioF()));
    m_importanceIcon->hide();

    m_composeBox = new MessageEdit(this);
    m_composeBox->setObjectName(QStringLiteral("composeBox"));
    m_composeBox->setContextMenu(editMenu());

    m_sendButton = new QPushButton(tqString(Sid::SendButton), this);
    m_sendButton->setObjectName(QStringLiteral("sendButton"));
    m_sendButton->setToolTip(tqString(Sid::SendButtonTip));

    for (QWidget *control : {static_cast<QWidget *>(m_messagePane), static_cast<QWidget *>(m_destinationBox),
                             static_cast<QWidget *>(m_autoAnswerCheck), static_cast<QWidget *>(m_composeBox),
                             static_cast<QWidget *>(m_sendButton)})
        control->setFont(m_formFont);

    setTabOrder(m_destinationBox, m_autoAnswerCheck);
    setTabOrder(m_autoAnswerCheck, m_composeBox);
    setTabOrder(m_composeBox, m_sendButton);
    setTabOrder(m_sendButton, m_messagePane);
}

void CTq20View::connectCommands()
{
    using C = Command;
    connect(action(C::Previous), &QAction::triggered, this, &CTq20View::ShowPreviousMessage);
    connect(action(C::Next), &QAction::triggered, this, &CTq20View::ShowNextMessage);
    connect(action(C::Delete), &QAction::triggered, this, &CTq20View::DeleteCurrentMessage);
    connect(action(C::DiscardAll), &QAction::triggered, this, &CTq20View::DiscardAllMessages);
    connect(action(C::PopupOnReceipt), &QAction::triggered, this, &CTq20View::togglePopupOnReceipt);
    connect(action(C::Send), &QAction::triggered, this, [this] { SendOutgoing('0'); });
    connect(action(C::SendHighImportance), &QAction::triggered, this, [this] { SendOutgoing('1'); });
    connect(action(C::AddSenderOutsideAnyGroup), &QAction::triggered, m_composer,
            [this] { m_composer->addSender(kAddSenderOutsideCommand); });
    connect(action(C::AddSenderJunk), &QAction::triggered, m_composer,
            [this] { m_composer->addSender(kAddSenderJunkCommand); });
    connect(m_addSenderMenu, &AddSenderMenu::groupChosen, m_composer, &ReplyComposer::addSender);
    connect(m_commands, &ViewCommands::statesUpdated, m_addSenderMenu,
            [this](const ViewCommandStates &states) { m_addSenderMenu->setItemsEnabled(states.addSender); });

    // Edit commands follow whatever edit has the focus and what it holds.
    for (MessageEdit *edit : {m_messagePane, m_composeBox}) {
        connect(edit, &QPlainTextEdit::selectionChanged, m_commands, &ViewCommands::updateStates);
        connect(edit, &QPlainTextEdit::undoAvailable, m_commands, &ViewCommands::updateStates);
        connect(edit, &QPlainTextEdit::textChanged, m_commands, &ViewCommands::updateStates);
    }
    if (QLineEdit *line = m_destinationBox->lineEdit()) {
        connect(line, &QLineEdit::selectionChanged, m_commands, &ViewCommands::updateStates);
        connect(line, &QLineEdit::textChanged, m_commands, &ViewCommands::updateStates);
    }
}

void CTq20View::connectStation()
{
    connect(&m_station, &MessageStation::arrivalsSettled, this, &CTq20View::onArrivalsSettled);
    connect(&m_station, &MessageStation::countersChanged, this, &CTq20View::RefreshCounters);
    connect(&m_station, &MessageStation::addressBookChanged, this, &CTq20View::onAddressBookRead);
    connect(&m_station, &MessageStation::settingsReloaded, this, [this] {
        if (m_destinationBox->isFilled())
            m_destinationBox->setBroadcastPresent(m_station.settings().useProtocol != 0);
    });
    // An automatic answer shows no time display.
    connect(&m_station, &MessageStation::sendStarted, this, [this](quint64, bool automaticAnswer) {
        if (!automaticAnswer)
            m_sendTime->start(m_panes.sendTime);
    });
    connect(&m_station, &MessageStation::sendResult, this, [this](quint64, SendResultCode code, const QString &) {
        if (endsTheSend(code))
            m_sendTime->stop();
    });
}

void CTq20View::OnInitialUpdate()
{
    if (m_initialUpdateDone)
        return;
    m_initialUpdateDone = true;
    m_station.refreshAddressBook();
    if (isVisible())
        m_splitter->settle();

    if (m_formFontMissing)
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::FontMissing), Prompter::Icon::Exclamation);

    m_station.loadStoredMessages();
    if (m_station.settings().storeAndLoad && m_station.messages().current()) {
        showCurrentMessage();
        offerQuote(QuoteOffer::Replace);
        m_composeBox->selectAll();
        m_composeBox->setFocus();
    }
    RefreshCounters();
}

void CTq20View::RefreshCounters()
{
    const CounterTexts texts = m_station.viewer().counters();
    m_importanceIcon->setVisible(m_station.viewer().showImportance());
    window()->setWindowTitle(texts.title);
    if (m_panes.position)
        m_panes.position->setText(texts.position);
    m_tray.setIconName(texts.trayIconName);
    m_tray.setToolTip((texts.trayTip + m_trayTipNote).left(TrayIcon::kMaxTipLength));
    // The icon may have gone with the notification area; showing it again brings it back.
    if (!m_tray.isShown())
        m_tray.show();
    updateCommandStates();
    m_trimTimer.start();
}

void CTq20View::showCurrentMessage()
{
    if (!m_station.messages().current())
        return;
    showCurrentText();
    m_composer->showReplyDestination();
}

void CTq20View::showCurrentText()
{
    if (const MessageRecord *current = m_station.messages().current())
        m_messagePane->setProgramText(recordDisplayText(current->text));
}

void CTq20View::attachStatusPanes(const StatusPanes &panes)
{
    m_panes = panes;
    m_composer->setModePane(panes.mode);
    if (m_panes.position)
        m_panes.position->setText(m_station.viewer().counters().position);
}

void CTq20View::onArrivalsSettled(const ArrivalSummary &summary)
{
    showCurrentText();
    if (summary.offerQuote) {
        m_composer->showReplyDestination();
        offerQuote(QuoteOffer::Replace);
    }
}

void CTq20View::onAddressBookRead()
{
    m_destinationBox->setDestinations(m_station.destinations());
    m_addSenderMenu->setGroupItems(m_station.senderGroupItems());
    updateCommandStates();
}

void CTq20View::addressBookChanged()
{
    m_station.refreshAddressBook();
    if (m_station.messages().current())
        m_composer->showReplyDestination();
}

void CTq20View::setComposeText(const QString &text)
{
    m_composer->setComposeText(text);
}

void CTq20View::offerQuote(QuoteOffer how)
{
    m_composer->offerQuote(how);
}

void CTq20View::ToggleAutoAnswer()
{
    m_composer->toggleAutoAnswer();
}

void CTq20View::SendOutgoing(char importance)
{
    m_composer->send(importance);
}

bool CTq20View::sendTimerRunning() const
{
    return m_sendTime->isRunning();
}

// ---- commands

void CTq20View::ShowNextMessage()
{
    if (!m_station.selectNext())
        return;
    showCurrentMessage();
    offerQuote(QuoteOffer::AskWhenChanged);
    m_composeBox->setFocus();
}

void CTq20View::ShowPreviousMessage()
{
    if (!m_station.selectPrevious())
        return;
    showCurrentMessage();
    offerQuote(QuoteOffer::AskWhenChanged);
    m_composeBox->setFocus();
}

void CTq20View::DeleteCurrentMessage()
{
    applyRemoval(m_station.deleteCurrent());
}

void CTq20View::DiscardAllMessages()
{
    if (m_station.messages().isEmpty())
        return;
    // What the user is asked about is the list as it is now; what arrives while the box is
    // open is not part of the answer.
    const quint64 mark = m_station.discardMark();
    const Prompter::Answer answer =
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::DiscardAllQuestion), Prompter::Icon::Question,
                           Prompter::Buttons::YesNo, Prompter::Answer::No);
    if (answer != Prompter::Answer::Yes)
        return;
    applyRemoval(m_station.discardAll(mark));
}

void CTq20View::applyRemoval(const MessageViewer::Removal &outcome)
{
    if (!outcome.removed)
        return;
    if (outcome.listEmptied) {
        m_messagePane->setProgramText({});
        m_destinationBox->setEditText({});
        if (outcome.clearCompose)
            m_composer->setComposeText({});
    } else {
        showCurrentMessage();
        offerQuote(QuoteOffer::AskWhenChanged);
    }
    m_composeBox->setFocus();
    // Posted, as the command would be: the main window minimises after this command is done.
    if (outcome.minimize)
        QMetaObject::invokeMethod(this, &CTq20View::minimizeRequested, Qt::QueuedConnection);
}

void CTq20View::togglePopupOnReceipt()
{
    m_station.togglePopupOnReceipt();
    action(Command::PopupOnReceipt)->setChecked(m_station.popupOnReceipt());
}

// ---- placement of the controls

void CTq20View::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_splitter)
        m_splitter->layout();
}

void CTq20View::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window has its real size only once it is shown.
    if (m_initialUpdateDone && !m_splitter->isSettled())
        m_splitter->settle();
}

void CTq20View::paintEvent(QPaintEvent *)
{
    m_splitter->paint();
}

void CTq20View::mousePressEvent(QMouseEvent *event)
{
    if (!m_splitter->mousePress(event))
        QWidget::mousePressEvent(event);
}

void CTq20View::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_splitter->mouseMove(event))
        QWidget::mouseMoveEvent(event);
}

void CTq20View::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_splitter->mouseRelease(event))
        QWidget::mouseReleaseEvent(event);
}

} // namespace tq
