#include "document/ZelDoc.h"

#include <utility>

void CZelDoc::SetFunctions(CFunctionList functions)
{
    m_savedFunctions = std::exchange(m_functions, std::move(functions));
    m_undoAvailable = true;
    m_modified = true;
}

void CZelDoc::SetObjects(CObjectList objects)
{
    m_savedObjects = std::exchange(m_objects, std::move(objects));
    m_undoAvailable = true;
    m_modified = true;
}

void CZelDoc::SetScaling(const CScaling& scaling)
{
    if (scaling != m_scaling) {
        m_savedScaling = std::exchange(m_scaling, scaling);
        m_undoAvailable = true;
        m_modified = true;
    }
}

void CZelDoc::RecordDerivedScaling(const CScaling& scaling)
{
    if (m_savedScaling == m_scaling) {
        m_savedScaling = scaling;
    }
    m_scaling = scaling;
}

void CZelDoc::Undo()
{
    if (!m_undoAvailable) {
        return;
    }
    // The saved copies stay as they are: the parts that were not changed since the last undo step
    // equal them already, so only the changed parts move back.
    m_functions = m_savedFunctions;
    m_objects = m_savedObjects;
    m_scaling = m_savedScaling;
    m_undoAvailable = false;
    m_modified = true;
}
