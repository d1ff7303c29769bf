#include "core/host/widgets/outlinewidget.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

OutlineWidget::OutlineWidget(QWidget* parent)
    : QScrollArea(parent)
{
    auto* content = new QWidget(this);
    m_layout = new QVBoxLayout(content);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

int OutlineWidget::addWidget(QWidget* widget, const QString& title)
{
    auto* frame = new QWidget(this);
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    auto* button = new QToolButton(frame);
    button->setObjectName(QStringLiteral("title"));
    button->setText(title);
    button->setToolTip(title);
    button->setCheckable(true);
    button->setChecked(true);
    button->setArrowType(Qt::DownArrow);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setFocusPolicy(Qt::StrongFocus);
    button->installEventFilter(this);
    box->addWidget(button);
    box->addWidget(widget);
    m_layout->insertWidget(m_layout->count() - 1, frame);
    const int row = m_sections.size();
    m_sections.append({ frame, button, widget, false });
    connect(button, &QToolButton::toggled, this, [this, button, widget](bool expanded) {
        button->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
        widget->setVisible(expanded);
        for (int r = 0; r < m_sections.size(); ++r) {
            if (m_sections[r].title == button)
                Q_EMIT expandedChanged(r, expanded);
        }
    });
    updateTitleFont(m_sections.last());
    return row;
}

QWidget* OutlineWidget::widget(int row) const
{
    return isRow(row) ? m_sections[row].widget : nullptr;
}

QString OutlineWidget::title(int row) const
{
    return isRow(row) ? m_sections[row].title->text() : QString();
}

void OutlineWidget::setTitle(int row, const QString& title)
{
    if (!isRow(row))
        return;
    m_sections[row].title->setText(title);
    m_sections[row].title->setToolTip(title);
}

void OutlineWidget::setExpanded(int row, bool expanded)
{
    if (isRow(row))
        m_sections[row].title->setChecked(expanded);
}

bool OutlineWidget::isExpanded(int row) const
{
    return isRow(row) && m_sections[row].title->isChecked();
}

void OutlineWidget::collapseAll()
{
    for (int row = 0; row < m_sections.size(); ++row)
        setExpanded(row, false);
}

void OutlineWidget::expandAll()
{
    for (int row = 0; row < m_sections.size(); ++row)
        setExpanded(row, true);
}

void OutlineWidget::setRowHidden(int row, bool hidden)
{
    if (isRow(row))
        m_sections[row].frame->setHidden(hidden);
}

bool OutlineWidget::isRowHidden(int row) const
{
    return isRow(row) && m_sections[row].frame->isHidden();
}

void OutlineWidget::setHighlightedFontEnabled(bool enabled)
{
    m_highlight = enabled;
    for (const Section& section : qAsConst(m_sections))
        updateTitleFont(section);
}

void OutlineWidget::setRowHighlighted(int row, bool highlighted)
{
    if (!isRow(row))
        return;
    m_sections[row].highlighted = highlighted;
    updateTitleFont(m_sections[row]);
}

bool OutlineWidget::isRowHighlighted(int row) const
{
    return isRow(row) && m_sections[row].highlighted;
}

void OutlineWidget::updateTitleFont(const Section& section)
{
    QFont font = section.title->font();
    font.setBold(m_highlight && section.highlighted);
    section.title->setFont(font);
}

// Left collapses and Right expands the section whose title has focus, as in a tree.
bool OutlineWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button && (key == Qt::Key_Left || key == Qt::Key_Right)) {
            button->setChecked(key == Qt::Key_Right);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
