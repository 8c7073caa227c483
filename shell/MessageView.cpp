#include "MessageView.h"

#include <QPainter>

CQMessageView::CQMessageView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMinimumHeight(1);
}

void CQMessageView::SetLeadingText(const QString& text) {
    m_leading = text;
    update();
}

void CQMessageView::SetTrailingText(const QString& text) {
    m_trailing = text;
    update();
}

QString CQMessageView::ShownText() const {
    QString text = m_leading + m_middle + m_trailing;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void CQMessageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Dark));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(std::max(1, height() - 2));
    p.setFont(font);
    p.setPen(pal.color(QPalette::Base));
    const QRect area = rect().adjusted(10, 0, -10, 0);
    const QString text = p.fontMetrics().elidedText(ShownText(), Qt::ElideRight, area.width());
    p.drawText(area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
}
