#include "platform/vcl/classes.h"

#include <algorithm>

namespace kestrun::vcl {

TComponent::TComponent(TComponent* owner) : m_owner(owner)
{
    if (m_owner)
        m_owner->m_owned.push_back(this);
}

TComponent::~TComponent()
{
    // Owned components are freed newest first, as the toolkit does; a component freed earlier
    // by its user has already left its owner's list.
    while (!m_owned.empty())
        delete m_owned.back();
    if (m_owner)
        std::erase(m_owner->m_owned, this);
}

} // namespace kestrun::vcl
