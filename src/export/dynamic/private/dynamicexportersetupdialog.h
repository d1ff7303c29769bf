#pragma once

#include "basic_views_export.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// Asks for the file and the interval (whole minutes) of a window's dynamic export. OK is enabled only for a file
// of a known format; a file another window already exports to is warned about but allowed.
class BASIC_VIEWS_EXPORT DynamicExporterSetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DynamicExporterSetupDialog(QWidget* parent = nullptr);

    QString fileName() const;
    void setFileName(const QString& fileName);
    int minutes() const;
    void setMinutes(int minutes);
    // The warnings shown; empty when there are none.
    QString warningText() const;
    bool isAcceptable() const;

protected Q_SLOTS:
    void onBrowse();
    void validateFileName();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_file;
    QSpinBox* m_interval;
    QLabel* m_warning;
    QDialogButtonBox* m_buttons;
};
