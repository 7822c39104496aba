#include "prefs/QInterfaceSetup.h"

#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "prefs/BrowseRules.h"
#include "res/StringTable.h"
#include "ui_QInterfaceSetup.h"

#include <QRegularExpressionValidator>
#include <QStyle>

namespace tq {

QInterfaceSetup::QInterfaceSetup(const PrefsContext &context, QWidget *parent)
    : PrefsPage(context, parent)
    , m_ui(std::make_unique<Ui::QInterfaceSetup>())
    , m_values(InterfaceSetupValues::read(context.settings))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("interfacePage"));
    m_ui->askRadio->setChecked(m_values.closeAsk == 0);
    m_ui->minimizeRadio->setChecked(m_values.closeAsk == 1);
    m_ui->closeRadio->setChecked(m_values.closeAsk == 2);
    m_ui->displaySendOkCheck->setChecked(m_values.displaySendOK);
    m_ui->minOnDelLastCheck->setChecked(m_values.minOnDelLast);
    m_ui->dontAutoLastCheck->setChecked(m_values.dontAutoLast);
    m_ui->storeAndLoadCheck->setChecked(m_values.storeAndLoad);
    m_ui->enableSoundCheck->setChecked(m_values.enableSound);
    m_ui->soundFileEdit->setText(m_values.soundFile);
    m_ui->notifyCheck->setChecked(m_values.notify);
    // The item's position is the stored value.
    m_ui->encodingCombo->setCurrentIndex(m_values.outgoingEncoding);
    m_ui->askBroadcastCheck->setChecked(m_values.askBeforeBroadcast);
    m_ui->presenceIntervalEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_ui->presenceIntervalEdit));
    m_ui->presenceIntervalEdit->setText(m_values.presenceIntervalText);

    m_ui->soundBrowseButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_ui->playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_ui->playButton->setToolTip(tqString(Sid::TipPlaySound));
    connect(m_ui->soundBrowseButton, &QPushButton::clicked, this, &QInterfaceSetup::browseSound);
    connect(m_ui->playButton, &QToolButton::clicked, this, &QInterfaceSetup::playSound);
}

QInterfaceSetup::~QInterfaceSetup() = default;

void QInterfaceSetup::onFirstShow()
{
    setHeadings({m_ui->closeHeading});
}

void QInterfaceSetup::browseSound()
{
    const QString initial = browseInitialName(m_ui->soundFileEdit->text(), QStringLiteral("receive.wav"));
    const QString chosen =
        m_context.prompter.openFileName({}, initial, dialogFileFilter(tqString(Sid::FilterSoundFiles)));
    if (!chosen.isEmpty())
        m_ui->soundFileEdit->setText(chosen);
}

void QInterfaceSetup::playSound()
{
    const QString file = m_ui->soundFileEdit->text();
    if (!file.isEmpty())
        m_context.sound.play(file, SoundPlayer::Fallback::None);
}

std::optional<FieldProblem> QInterfaceSetup::collect()
{
    m_values.closeAsk = m_ui->minimizeRadio->isChecked() ? 1 : (m_ui->closeRadio->isChecked() ? 2 : 0);
    m_values.displaySendOK = m_ui->displaySendOkCheck->isChecked();
    m_values.minOnDelLast = m_ui->minOnDelLastCheck->isChecked();
    m_values.dontAutoLast = m_ui->dontAutoLastCheck->isChecked();
    m_values.storeAndLoad = m_ui->storeAndLoadCheck->isChecked();
    m_values.enableSound = m_ui->enableSoundCheck->isChecked();
    m_values.soundFile = m_ui->soundFileEdit->text();
    m_values.notify = m_ui->notifyCheck->isChecked();
    m_values.outgoingEncoding = m_ui->encodingCombo->currentIndex();
    m_values.askBeforeBroadcast = m_ui->askBroadcastCheck->isChecked();
    m_values.presenceIntervalText = m_ui->presenceIntervalEdit->text();
    return m_values.check();
}

QWidget *QInterfaceSetup::fieldWidget(PrefField field) const
{
    return field == PrefField::PresenceInterval ? m_ui->presenceIntervalEdit : nullptr;
}

void QInterfaceSetup::apply()
{
    m_values.write(m_context.settings);
}

} // namespace tq
