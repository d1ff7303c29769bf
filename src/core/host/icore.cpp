#include "core/host/icore.h"

#include <QCoreApplication>

namespace {
ICore* current = nullptr;
}

ICore::ICore(QObject* parent)
    : QObject(parent)
{
    current = this;
}

ICore::~ICore()
{
    if (current == this)
        current = nullptr;
}

ICore* ICore::instance()
{
    return current;
}

QString hostTranslate(const char* context, const char* sourceText)
{
    if (const ICore* core = ICore::instance())
        return core->translate(context, sourceText);
    return QCoreApplication::translate(context, sourceText);
}

QWidget* ICore::dialogParent()
{
    const ICore* core = instance();
    return core ? core->mainWindows().value(0) : nullptr;
}
