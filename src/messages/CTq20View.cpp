#include "messages/CTq20View.h"

#include "addressbook/ReplyDestination.h"
#include "messages/DisplayText.h"
#include "messages/MessageEdit.h"
#include "platform/MemoryTrim.h"
#include "platform/OwnAddress.h"
#include "platform/Prompter.h"
#include "platform/TrayIcon.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tq {
namespace {

constexpr int kTrimDelayMs = 1000;

} // namespace

CTq20View::CTq20View(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray,
                     const Clock &clock, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_sound(sound)
    , m_tray(tray)
    , m_viewer(clock)
    , m_ownIp(ownIPv4Address())
    , m_deadFile(prompter, settings)
    , m_incoming(m_viewer, m_deadFile, ArrivalStampFormat(), clock)
{
    setObjectName(QStringLiteral("messageView"));
    m_incoming.setAddressBook(&m_addressBook);
    m_popupOnReceipt = m_settings.get(keys::Popup) != 0;
    m_splitterY = m_settings.get(keys::BottomRecText);
    reloadSettings();

    setMouseTracking(true);
    chooseFormFont();
    createActions();
    createControls();
    setUpAddressBookAndSending(clock);

    m_trimTimer.setSingleShot(true);
    m_trimTimer.setInterval(kTrimDelayMs);
    connect(&m_trimTimer, &QTimer::timeout, this, &trimResidentMemory);
    m_arrivalTimer.setSingleShot(true);
    m_arrivalTimer.setInterval(0);
    connect(&m_arrivalTimer, &QTimer::timeout, this, &CTq20View::showArrivals);
}

CTq20View::~CTq20View()
{
    m_settings.set(keys::Popup, m_popupOnReceipt ? 1 : 0);
    m_settings.set(keys::BottomRecText, m_splitterY);
}

QAction *CTq20View::action(Command command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void CTq20View::reloadSettings()
{
    m_settingsCache = ViewSettings::read(m_settings, AppDataDir::path());
    if (m_destinationBox && m_destinationBox->isFilled())
        m_destinationBox->setBroadcastPresent(m_settingsCache.useProtocol != 0);
    applyIncomingSettings();
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
    m_messagePane->setContextMenu(m_editMenu);

    m_destinationBox = new DestinationComboBox(this);
    m_destinationBox->setObjectName(QStringLiteral("destinationBox"));
    m_destinationBox->setMaxVisibleItems(12);
    m_destinationBox->setToolTip(tqString(Sid::DestinationTip));

    m_autoAnswerCheck = new QCheckBox(tqString(Sid::AutoAnswerCaption), this);
    m_autoAnswerCheck->setObjectName(QStringLiteral("autoAnswerCheck"));
    m_autoAnswerCheck->setToolTip(tqString(Sid::AutoAnswerTip));
    connect(m_autoAnswerCheck, &QCheckBox::clicked, this, &CTq20View::ToggleAutoAnswer);

    m_importanceIcon = new QLabel(this);
    m_importanceIcon->setObjectName(QStringLiteral("importanceIcon"));
    m_importanceIcon->setPixmap(importancePixmap(devicePixelRatioF()));
    m_importanceIcon->hide();

    m_composeBox = new MessageEdit(this);
    m_composeBox->setObjectName(QStringLiteral("composeBox"));
    m_composeBox->setContextMenu(m_editMenu);
    connect(m_composeBox, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_composeBox->isSettingProgramText())
            m_viewer.composeEditedByUser(m_composeBox->toPlainText());
    });

    m_sendButton = new QPushButton(tqString(Sid::SendButton), this);
    m_sendButton->setObjectName(QStringLiteral("sendButton"));
    m_sendButton->setToolTip(tqString(Sid::SendButtonTip));
    connect(m_sendButton, &QPushButton::clicked, this, [this] { Q_EMIT sendRequested('0'); });

    for (QWidget *control : {static_cast<QWidget *>(m_messagePane), static_cast<QWidget *>(m_destinationBox),
                             static_cast<QWidget *>(m_autoAnswerCheck), static_cast<QWidget *>(m_composeBox),
                             static_cast<QWidget *>(m_sendButton)})
        control->setFont(m_formFont);

    // Edit commands follow whatever edit has the focus and what it holds.
    for (MessageEdit *edit : {m_messagePane, m_composeBox}) {
        connect(edit, &QPlainTextEdit::selectionChanged, this, &CTq20View::updateCommandStates);
        connect(edit, &QPlainTextEdit::undoAvailable, this, &CTq20View::updateCommandStates);
        connect(edit, &QPlainTextEdit::textChanged, this, &CTq20View::updateCommandStates);
    }
    if (QLineEdit *line = m_destinationBox->lineEdit()) {
        connect(line, &QLineEdit::selectionChanged, this, &CTq20View::updateCommandStates);
        connect(line, &QLineEdit::textChanged, this, &CTq20View::updateCommandStates);
    }

    setTabOrder(m_destinationBox, m_autoAnswerCheck);
    setTabOrder(m_autoAnswerCheck, m_composeBox);
    setTabOrder(m_composeBox, m_sendButton);
    setTabOrder(m_sendButton, m_messagePane);
}

void CTq20View::OnInitialUpdate()
{
    if (m_initialUpdateDone)
        return;
    m_initialUpdateDone = true;
    refreshAddressBook();
    if (isVisible())
        settleSplitter();

    if (m_formFontMissing)
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::FontMissing), Prompter::Icon::Exclamation);

    if (m_settingsCache.storeAndLoad) {
        const StoredMessagesLoad load = m_viewer.loadStored(m_settingsCache.dontAutoLast, AppDataDir::messagesPath());
        if (load.tooLarge > 0)
            Q_EMIT largeMessageFilesSkipped(static_cast<int>(load.tooLarge));
        if (m_viewer.messages().current()) {
            showCurrentMessage();
            offerQuote(QuoteOffer::Replace);
            m_composeBox->selectAll();
            m_composeBox->setFocus();
        }
    }
    RefreshCounters();
}

void CTq20View::RefreshCounters()
{
    const CounterTexts texts = m_viewer.counters();
    m_importanceIcon->setVisible(m_viewer.showImportance());
    window()->setWindowTitle(texts.title);
    if (m_panes.position)
        m_panes.position->setText(texts.position);
    m_tray.setIconName(texts.trayIconName);
    m_tray.setToolTip(texts.trayTip);
    // The icon may have gone with the notification area; showing it again brings it back.
    if (!m_tray.isShown())
        m_tray.show();
    updateCommandStates();
    m_trimTimer.start();
}

void CTq20View::showCurrentMessage()
{
    const MessageRecord *current = m_viewer.messages().current();
    if (!current)
        return;
    showCurrentText();
    m_destinationBox->setEditText(replyDestination(decodeMessageBytes(current->sender)));
}

void CTq20View::showCurrentText()
{
    if (const MessageRecord *current = m_viewer.messages().current())
        m_messagePane->setProgramText(recordDisplayText(current->text));
}

void CTq20View::setComposeText(const QString &text)
{
    m_composeBox->setProgramText(text);
}

void CTq20View::attachStatusPanes(const StatusPanes &panes)
{
    m_panes = panes;
    if (m_panes.position)
        m_panes.position->setText(m_viewer.counters().position);
}

} // namespace tq
