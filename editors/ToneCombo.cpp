#include "ToneCombo.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "datamodel/memmap/ToneCodes.h"

CToneCombo::CToneCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { m_typed = text; });
}

CRxToneCombo::CRxToneCombo(QWidget* parent) : CToneCombo(parent) {
    m_withMulti = true;
}

void CToneCombo::FillList() {
    clear();
    addItem(QStringLiteral("OFF"));
    for (const SOption& option : ToneOptions(false))
        if (option.value != kToneOff) addItem(QString::fromUtf8(option.text));
}

void CRxToneCombo::FillList() {
    clear();
    addItem(QStringLiteral("OFF"));
    addItem(QStringLiteral("Multi"));
    for (const SOption& option : ToneOptions(false))
        if (option.value != kToneOff) addItem(QString::fromUtf8(option.text));
}

int CToneCombo::GetToneCode(const QString& text) const {
    const std::optional<int> value = ParseToneText(text.trimmed().toStdString(), m_withMulti);
    return value ? *value : -1;
}

void CToneCombo::SetToneText(const QString& text) {
    m_typed = text;
    setCurrentIndex(-1);
    setEditText(text);
}

void CToneCombo::keyPressEvent(QKeyEvent* event) {
    // Up on the first entry brings back what was typed before, selected in full.
    if (event->key() == Qt::Key_Up && currentIndex() == 0 && findText(m_typed) < 0 &&
        !m_typed.isEmpty()) {
        setCurrentIndex(-1);
        setEditText(m_typed);
        lineEdit()->selectAll();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
