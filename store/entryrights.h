#pragma once

#include <array>

namespace store {

// What may be done to the directory's entries (the rows of tab); the grid and the lookups each need one.
enum class EntryAction { Read, Add, Change, Delete };
inline constexpr int kEntryActionCount = int(EntryAction::Delete) + 1;

// What the login may do to the entries, as the server said when the connection was opened. A file
// store answers all: there the file's own permissions decide, when the write is tried.
class EntryRights {
public:
    static EntryRights all()
    {
        EntryRights rights;
        rights.m_allowed.fill(true);
        return rights;
    }

    bool allows(EntryAction action) const { return m_allowed[int(action)]; }
    void set(EntryAction action, bool allowed) { m_allowed[int(action)] = allowed; }
    bool operator==(const EntryRights &) const = default;

private:
    std::array<bool, kEntryActionCount> m_allowed{};
};

} // namespace store
