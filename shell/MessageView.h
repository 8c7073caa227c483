// A header strip: leading and trailing text in bold, as high as the strip, on the
// system's shadow colour; "&&" shows as "&". It never keeps the focus.
#pragma once

#include <QWidget>

class CQMessageView : public QWidget {
    Q_OBJECT
public:
    explicit CQMessageView(QWidget* parent = nullptr);
    void SetLeadingText(const QString& text);
    void SetTrailingText(const QString& text);
    const QString& LeadingText() const { return m_leading; }
    const QString& TrailingText() const { return m_trailing; }
    // The text as drawn.
    QString ShownText() const;
    QSize sizeHint() const override { return {100, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_leading, m_middle, m_trailing;
};
