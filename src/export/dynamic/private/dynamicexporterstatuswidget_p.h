#pragma once

#include "export/dynamic/dynamicexporterstatuswidget.h"

class DynamicExporterStatusWidgetPrivate
{
public:
    QPixmap icon;
};
