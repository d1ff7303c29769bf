#include "export/private/rowblocks.h"

#include "core/host/icore.h"
#include "export/exporterproxymodel.h"
#include "models/parallelmap.h"

namespace {

const int BlockRows = 2048;
const int ChunkRows = 64;

// The calling thread's translation for a worker while it formats, then the worker's own again.
class TranslationScope
{
public:
    explicit TranslationScope(bool english)
        : m_core(ICore::instance())
        , m_previous(m_core && m_core->setEnglishTranslation(english))
    { }
    ~TranslationScope()
    {
        if (m_core)
            m_core->setEnglishTranslation(m_previous);
    }
    Q_DISABLE_COPY(TranslationScope)

private:
    ICore* m_core;
    bool m_previous;
};

} // namespace

void RowBlocks::reset(const QAbstractItemModel* model, Format format)
{
    m_format = std::move(format);
    const auto* proxy = qobject_cast<const ExporterProxyModel*>(model);
    m_concurrent = proxy && proxy->isReadableConcurrently() && ParallelMap::workerCount() > 0;
    m_rows = model ? model->rowCount() : 0;
    m_first = 0;
    m_block.clear();
}

QByteArray RowBlocks::take(int row)
{
    if (row < m_first || row >= m_first + m_block.size())
        formatBlock(row);
    return std::move(m_block[row - m_first]);
}

void RowBlocks::formatBlock(int first)
{
    m_first = first;
    const int count = m_concurrent ? qMin(BlockRows, qMax(1, m_rows - first)) : 1;
    m_block.resize(count);
    if (!m_concurrent) {
        m_block[0] = m_format(first);
        return;
    }
    const bool english = ICore::instance() && ICore::instance()->isEnglishTranslation();
    QByteArray* out = m_block.data();
    const int chunks = (count + ChunkRows - 1) / ChunkRows;
    ParallelMap::forEachIndex(chunks, [this, out, first, count, english](int chunk) {
        const TranslationScope translation(english);
        const int end = qMin(count, (chunk + 1) * ChunkRows);
        for (int i = chunk * ChunkRows; i < end; ++i)
            out[i] = m_format(first + i);
    });
}

void RowBlocks::clear()
{
    m_format = nullptr;
    m_block.clear();
    m_block.squeeze();
}
