#include "playlist/FailedRun.h"

#include <algorithm>

namespace cantorel {

int FailedRun::next(const PlaylistState& state, int entry, int& lastRandomPick, RandomSource& random)
{
    const int count = state.count;
    if (count <= 0 || entry < 0 || entry >= count)
        return -1;
    m_failed.insert(entry);
    m_allFailed = int(m_failed.size()) >= count;
    if (m_allFailed)
        return -1;
    if (state.random) {
        // The n-th entry that has not failed, n drawn at random among them.
        const int left = count - int(m_failed.size());
        int n = std::min(left - 1, std::max(0, int(random.next() * float(left))));
        for (int candidate = 0; candidate < count; ++candidate) {
            if (m_failed.count(candidate) == 0 && n-- == 0) {
                lastRandomPick = candidate;
                return candidate;
            }
        }
        return -1;
    }
    if (state.repeat)
        return nextEntry(count, entry);
    return entry + 1 < count ? entry + 1 : -1;
}

void FailedRun::clear()
{
    m_failed.clear();
    m_allFailed = false;
}

} // namespace cantorel
