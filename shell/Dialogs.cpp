#include "Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "clone/PortEnumeration.h"
#include "shell/Icons.h"
#include "document/Product.h"
#include "document/Product.h"

namespace {

QLabel* IconLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(ArtIcon(EArt::App).pixmap(32, 32));
    label->setAlignment(Qt::AlignTop);
    return label;
}

QLabel* Field(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

CInformationDialog::CInformationDialog(const SRepeaterInfo& info, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Information"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Model"), Field("Model", QString::fromStdString(info.ModelText()), this));
    form->addRow(QStringLiteral("Revision"),
                 Field("Revision", QString::fromStdString(info.RevisionText()), this));
    form->addRow(QStringLiteral("Comment"),
                 Field("Comment", QString::fromStdString(info.CommentText()), this));
    QString options = QString::fromStdString(info.OptionText());
    if (options.endsWith('\n')) options.chop(1);
    form->addRow(QStringLiteral("Option"), Field("Option", options, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // Fixed-pitch text so the 16-character comment lines stay aligned.
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    findChild<QLabel*>("Comment")->setFont(mono);
    setMinimumWidth(280);
}

QString CInformationDialog::FieldText(const QString& name) const {
    const auto* label = findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About CS-Tolvar"));
    auto* text = new QLabel(QString("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kRevisionLong)), this);
    text->setObjectName("AboutText");
    auto* note = new QLabel(QStringLiteral("Cloning Software for VK-Tolvar"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* column = new QVBoxLayout;
    column->addWidget(text);
    column->addWidget(note);
    auto* row = new QHBoxLayout;
    row->addWidget(IconLabel(this));
    row->addSpacing(12);
    row->addLayout(column, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

CSplashDialog::CSplashDialog(QWidget* owner, int milliseconds)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("Splash");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Cloning Software For VK-Tolvar"));
    auto* text = new QLabel(QString("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kRevisionShort)), this);
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    text->setFont(font);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(24, 20, 32, 20);
    row->addWidget(IconLabel(this));
    row->addSpacing(16);
    row->addWidget(text);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::close);
    m_timer.start(milliseconds);
    qApp->installEventFilter(this);
}

CSplashDialog::~CSplashDialog() {
    qApp->removeEventFilter(this);
}

bool CSplashDialog::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        m_timer.start(1);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

CPortSettingsDialog::CPortSettingsDialog(const CPortSettings& settings, int speedMode,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Port Settings"));
    QStringList choices;
    for (int n = 1; n <= kComPortCount; ++n)
        choices << QString::fromStdString(CPortSettings().ComPath(n));
    for (const SPortInfo& port : EnumeratePorts()) {
        const QString path = QString::fromStdString(port.path);
        if (!choices.contains(path)) choices << path;
    }
    choices << QString::fromUtf8(kSimulatorPortName);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Each COM port opens:"), this), 0, 0, 1, 2);
    for (int n = 1; n <= kComPortCount; ++n) {
        auto* box = new QComboBox(this);
        box->setEditable(true);
        box->addItems(choices);
        box->setCurrentText(QString::fromStdString(settings.ComPath(n)));
        box->setMinimumContentsLength(24);
        box->setToolTip(QStringLiteral("A device path, a detected port, or SIM for the "
                                       "built-in simulated repeater"));
        m_ports[static_cast<size_t>(n - 1)] = box;
        auto* label = new QLabel(QString("COM&%1").arg(n), this);
        label->setBuddy(box);
        grid->addWidget(label, n, 0);
        grid->addWidget(box, n, 1);
    }
    m_speed = new QComboBox(this);
    m_speed->addItem(QStringLiteral("9600 bps"), 1);
    m_speed->addItem(QStringLiteral("38400 bps (after identification at 9600)"), 2);
    m_speed->setCurrentIndex(speedMode == 2 ? 1 : 0);
    auto* speedLabel = new QLabel(QStringLiteral("&Speed"), this);
    speedLabel->setBuddy(m_speed);
    grid->addWidget(speedLabel, kComPortCount + 1, 0);
    grid->addWidget(m_speed, kComPortCount + 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

CPortSettings CPortSettingsDialog::Settings() const {
    CPortSettings settings;
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString text = m_ports[static_cast<size_t>(n - 1)]->currentText().trimmed();
        if (!text.isEmpty()) settings.SetComPath(n, text.toStdString());
    }
    return settings;
}

int CPortSettingsDialog::SpeedMode() const {
    return m_speed->currentData().toInt();
}
