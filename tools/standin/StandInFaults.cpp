#include "StandInFaults.h"

namespace StandIn {

QByteArray GarbageDatagram() {
    return QByteArrayLiteral("\xff\xff\xff\xffgarbage\n");
}

int RuleIndexFor(const QList<StandInRule>& rules, const QByteArray& previousName,
                 const StandInFaults& faults) {
    const int end = int(rules.size());
    if (faults.endlessRules || previousName.isEmpty())
        return 0;
    for (int index = 0; index < end; ++index) {
        if (rules[index].name == previousName) {
            const bool wrap = faults.loopingRules && index + 1 == end;
            return wrap ? 0 : index + 1;
        }
    }
    return end;
}

QByteArray Deform(Reply reply, const StandInFaults& faults) {
    QByteArray& bytes = reply.bytes;
    const bool hasText = reply.lastTextEnd >= 0;
    if (faults.unterminated && hasText)
        bytes.remove(reply.lastTextEnd, 1);
    if (faults.oversized && bytes.size() < OversizedLength) {
        const qsizetype missing = OversizedLength - bytes.size();
        if (hasText)
            bytes.insert(reply.lastTextEnd, QByteArray(missing, 'x'));
        else
            bytes.append(QByteArray(missing, '\0'));
    }
    SetHeader(bytes);
    if (faults.truncateTo >= 0)
        bytes.truncate(faults.truncateTo);
    return bytes;
}

} // namespace StandIn
