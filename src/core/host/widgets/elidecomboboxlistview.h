#pragma once

#include "core/host/bv_host_export.h"

#include <QListView>

class QComboBox;

// The pop-up list of a combo box. With auto width on, the pop-up widens to its longest item (never past the
// screen the box is on), so long instrument or account names can be read in full; off, it is exactly as wide as
// the box, so it never covers the form beside it. What does not fit is elided in the middle, keeping both the
// start and the end of a code.
class BV_HOST_EXPORT ElideComboBoxListView : public QListView
{
    Q_OBJECT
public:
    // Installs itself as the box's view.
    explicit ElideComboBoxListView(QComboBox* box);

    void setAutoWidth(bool on);
    bool autoWidth() const { return m_autoWidth; }
    // The pop-up width auto width asks for: the widest item plus frame and scroll bar, capped by the screen.
    int preferredPopupWidth() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* m_box; // not owned: the box owns the view
    bool m_autoWidth = false;
};
