// The single-instance socket's reader over any bytes in any pieces: what it holds stays within the protocol's
// limits, nothing is read after a refusal, and the requests do not depend on where the bytes were cut.
#include "fuzz_checks.h"

#include "app/instance_requests.h"

void checkInput(const QByteArray &bytes) {
    InstanceRequests whole;
    const QList<InstanceRequests::Request> fromWhole = whole.take(bytes);

    // The first byte says where the pieces are cut.
    const qsizetype step = bytes.isEmpty() ? 1 : 1 + uchar(bytes[0]) % 7;
    InstanceRequests pieces;
    QList<InstanceRequests::Request> fromPieces;
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        const bool refusedBefore = pieces.refused();
        const QList<InstanceRequests::Request> got =
            pieces.take(bytes.sliced(at, std::min(step, bytes.size() - at)));
        FUZZ_CHECK(!refusedBefore || got.isEmpty());
        FUZZ_CHECK(pieces.heldBytes() <=
                   std::max(InstanceRequests::maxLineBytes, InstanceRequests::maxLinkBytes));
        FUZZ_CHECK(pieces.heldBytes() <= bytes.size());
        fromPieces += got;
    }
    FUZZ_CHECK(fromPieces == fromWhole);
    FUZZ_CHECK(whole.refused() == pieces.refused());
    // A first line is never waited out beyond the longest a request has.
    if (bytes.size() >= InstanceRequests::maxLineBytes &&
        !bytes.first(InstanceRequests::maxLineBytes).contains('\n'))
        FUZZ_CHECK((fromWhole == QList{InstanceRequests::Request{InstanceRequests::Kind::Refused, {}}}));
    for (qsizetype i = 0; i < fromWhole.size(); ++i) {
        const InstanceRequests::Request &request = fromWhole[i];
        FUZZ_CHECK(request.kind != InstanceRequests::Kind::Refused || i == fromWhole.size() - 1);
        FUZZ_CHECK(request.kind == InstanceRequests::Kind::Mailto || request.link.isEmpty());
        FUZZ_CHECK(request.link.size() <= InstanceRequests::maxLinkBytes);
    }
}
