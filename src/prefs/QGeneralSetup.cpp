#include "prefs/QGeneralSetup.h"

#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"
#include "ui_QGeneralSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpressionValidator>

namespace tq {
namespace {

QString storedForm(const QString &edited)
{
    // Lines of the stored signature end with CR LF, as they do in messages.
    QString text = edited;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace

QGeneralSetup::QGeneralSetup(const PrefsContext &context, QWidget *parent)
    : PrefsPage(context, parent)
    , m_ui(std::make_unique<Ui::QGeneralSetup>())
    , m_values(GeneralSetupValues::read(context.settings))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("generalPage"));
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    m_ui->portEdit->setValidator(new QRegularExpressionValidator(digits, m_ui->portEdit));
    m_ui->delayEdit->setValidator(new QRegularExpressionValidator(digits, m_ui->delayEdit));
    showValues();

    connect(m_ui->portEdit, &QLineEdit::textChanged, this, &QGeneralSetup::updatePresets);
    connect(m_ui->delayEdit, &QLineEdit::textChanged, this, &QGeneralSetup::updatePresets);
    connect(m_ui->defaultButton, &QPushButton::clicked, this,
            [this] { applyPreset(m_ui->portEdit, kDefaultPortPreset); });
    connect(m_ui->lanButton, &QPushButton::clicked, this, [this] { applyPreset(m_ui->delayEdit, kLanDelayPreset); });
    connect(m_ui->internetButton, &QPushButton::clicked, this,
            [this] { applyPreset(m_ui->delayEdit, kInternetDelayPreset); });
}

QGeneralSetup::~QGeneralSetup() = default;

void QGeneralSetup::showValues()
{
    m_ui->fullNameEdit->setText(m_values.fullName);
    m_ui->systemNameEdit->setText(m_values.systemName);
    m_ui->signatureEdit->setPlainText(m_values.signature);
    m_ui->emailAddressEdit->setText(m_values.emailAddress);
    m_ui->portEdit->setText(m_values.portText);
    m_ui->delayEdit->setText(m_values.delayText);
    m_ui->tcpRadio->setChecked(m_values.useProtocol == 0);
    m_ui->udpRadio->setChecked(m_values.useProtocol == 1);
    m_ui->bothRadio->setChecked(m_values.useProtocol != 0 && m_values.useProtocol != 1);
    m_ui->startAtLoginCheck->setChecked(m_autostart.isEnabled());
    updatePresets();
}

void QGeneralSetup::onFirstShow()
{
    setHeadings({m_ui->userInfoHeading, m_ui->networkHeading});
    m_ui->ownAddressEdit->setText(QString::fromLatin1(m_context.ownAddress));
}

void QGeneralSetup::updatePresets()
{
    const PresetStates states = presetStates(m_ui->portEdit->text(), m_ui->delayEdit->text());
    m_ui->defaultButton->setEnabled(states.defaultPort);
    m_ui->lanButton->setEnabled(states.lan);
    m_ui->internetButton->setEnabled(states.internet);
}

void QGeneralSetup::applyPreset(QLineEdit *field, int value)
{
    field->setText(QString::number(value));
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

QWidget *QGeneralSetup::fieldWidget(PrefField field) const
{
    switch (field) {
    case PrefField::Signature:
        return m_ui->signatureEdit;
    case PrefField::Port:
        return m_ui->portEdit;
    case PrefField::Delay:
        return m_ui->delayEdit;
    default:
        return nullptr;
    }
}

std::optional<FieldProblem> QGeneralSetup::collect()
{
    m_values.fullName = m_ui->fullNameEdit->text();
    m_values.systemName = m_ui->systemNameEdit->text();
    m_values.signature = storedForm(m_ui->signatureEdit->toPlainText());
    m_values.emailAddress = m_ui->emailAddressEdit->text();
    m_values.portText = m_ui->portEdit->text();
    m_values.delayText = m_ui->delayEdit->text();
    m_values.useProtocol = m_ui->tcpRadio->isChecked() ? 0 : (m_ui->udpRadio->isChecked() ? 1 : 2);
    return m_values.check();
}

void QGeneralSetup::apply()
{
    bool writePort = false;
    if (m_values.portDiffersFrom(m_context.settings)) {
        const Prompter::Answer answer =
            m_context.prompter.message(tqString(Sid::PortChangeCaption), tqString(Sid::PortChangeQuestion),
                                       Prompter::Icon::Stop, Prompter::Buttons::YesNo, Prompter::Answer::No);
        writePort = answer == Prompter::Answer::Yes;
        if (!writePort) {
            m_values.portText = QString::number(tcpPort(m_context.settings));
            m_ui->portEdit->setText(m_values.portText);
        }
    }
    m_values.write(m_context.settings, writePort);
    applyAutostart();
}

void QGeneralSetup::applyAutostart()
{
    const bool wanted = m_ui->startAtLoginCheck->isChecked();
    if (wanted == m_autostart.isEnabled())
        return;
    const bool done = wanted
        ? m_autostart.enable(LoginAutostart::programCommand(QCoreApplication::applicationFilePath()))
        : m_autostart.disable();
    if (done)
        return;
    m_context.prompter.message(tqString(Sid::AppName),
                               tqFormat(Sid::AutostartFailed,
                                        QDir::toNativeSeparators(m_autostart.filePath()).toUtf8().constData(),
                                        m_autostart.errorString().toUtf8().constData()),
                               Prompter::Icon::Exclamation);
    m_ui->startAtLoginCheck->setChecked(m_autostart.isEnabled());
}

} // namespace tq
