#pragma once

#include "core/db/indexdependbase.h"

// A model that other models can be built on: each change it applies is passed on, once and after it applied it,
// to the models registered with dependBase(). Only the outermost call is passed on, so a build that adds, or a
// batch that removes, does not tell the dependents twice. Destroying it empties the dependents still there.
template<typename Model>
class IndexDepend : public Model
{
public:
    template<typename... Args>
    explicit IndexDepend(Args&&... args)
        : Model(std::forward<Args>(args)...)
        , m_depend(new IndexDependBase(this))
    { }
    ~IndexDepend() override { delete m_depend; }

    IndexDependBase* dependBase() const { return m_depend; }

    void add(const Record& record) override
    {
        pass([&] { Model::add(record); }, [&] { m_depend->add(record); });
    }
    void remove(const Record& record, int row) override
    {
        pass([&] { Model::remove(record, row); }, [&] { m_depend->remove(record, row); });
    }
    void update(const Record& record, int first, int last, int row) override
    {
        pass([&] { Model::update(record, first, last, row); }, [&] { m_depend->update(record, first, last, row); });
    }
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int first, int last,
        const QList<Record>& added, const QList<Record>& updatedNew) override
    {
        pass([&] { Model::preprocess(removed, updated, first, last, added, updatedNew); },
            [&] { m_depend->preprocess(removed, updated, first, last, added, updatedNew); });
    }
    void process(const QList<Record>& removed, const QList<Record>& updated, int first, int last,
        const QList<Record>& added) override
    {
        pass([&] { Model::process(removed, updated, first, last, added); },
            [&] { m_depend->process(removed, updated, first, last, added); });
    }
    void build() override
    {
        pass([&] { Model::build(); }, [&] { m_depend->build(); });
    }
    void clear() override
    {
        pass([&] { Model::clear(); }, [&] { m_depend->clear(); });
    }
    // A rebuild clears and builds inside; the dependents hear one rebuild (one reset each), not both steps.
    void rebuild() override
    {
        pass([&] { Model::rebuild(); }, [&] { m_depend->rebuild(); });
    }
    QString getClassName() const override { return QStringLiteral("IndexDepend::FilterIndexModel"); }

private:
    // The depth goes back down on every exit, an exception included.
    template<typename Own, typename Dependents>
    void pass(Own own, Dependents dependents)
    {
        struct Depth
        {
            int& depth;
            ~Depth() { --depth; }
        } guard { ++m_depth };
        const bool outermost = m_depth == 1;
        own();
        if (outermost)
            dependents();
    }

    IndexDependBase* m_depend; // owned
    int m_depth = 0;
};
