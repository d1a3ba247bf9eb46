#include "online/MatchRule.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cantorel::online {

namespace {

bool matches(const LrclibRecord& record, int durationSeconds)
{
    if (kindOf(record) == RecordKind::Empty)
        return false;
    return durationSeconds <= 0
           || std::abs(record.durationSeconds - durationSeconds) <= kDurationToleranceSeconds + 1e-9;
}

double distance(const LrclibRecord& record, int durationSeconds)
{
    return durationSeconds <= 0 ? 0.0 : std::abs(record.durationSeconds - durationSeconds);
}

// The matching records' indexes, best first.
std::vector<int> matchOrder(const QList<LrclibRecord>& records, int durationSeconds)
{
    std::vector<int> order;
    for (int i = 0; i < records.size(); ++i) {
        if (matches(records[i], durationSeconds))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const RecordKind ka = kindOf(records[a]);
        const RecordKind kb = kindOf(records[b]);
        if (ka != kb)
            return ka < kb;
        return distance(records[a], durationSeconds) < distance(records[b], durationSeconds);
    });
    return order;
}

} // namespace

int bestMatch(const QList<LrclibRecord>& records, int durationSeconds)
{
    const std::vector<int> order = matchOrder(records, durationSeconds);
    return order.empty() ? -1 : order.front();
}

QList<LrclibRecord> rankedForShowing(const QList<LrclibRecord>& records, int durationSeconds)
{
    const std::vector<int> order = matchOrder(records, durationSeconds);
    QList<LrclibRecord> ranked;
    std::vector<bool> taken(size_t(records.size()), false);
    for (int i : order) {
        ranked << records[i];
        taken[size_t(i)] = true;
    }
    for (int i = 0; i < records.size(); ++i) {
        if (!taken[size_t(i)])
            ranked << records[i];
    }
    return ranked;
}

} // namespace cantorel::online
