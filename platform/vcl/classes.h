#pragma once
// The toolkit's object model as far as the module needs it: objects, and components that have
// a name and an owner which frees them, in the order they were created.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::vcl {

class TObject {
public:
    virtual ~TObject() = default;
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Components owned, in ownership (creation) order.
    int ComponentCount() const { return static_cast<int>(m_owned.size()); }
    TComponent* Components(int i) const { return m_owned.at(static_cast<std::size_t>(i)); }
    TComponent* FindComponent(std::string_view name) const
    {
        for (auto* c : m_owned)
            if (c->m_name == name)
                return c;
        return nullptr;
    }

private:
    TComponent* m_owner;
    std::string m_name;
    std::vector<TComponent*> m_owned;
};

} // namespace kestrun::vcl
