#include "DatagramAge.h"

#ifdef Q_OS_LINUX
#include <algorithm>
#include <cstring>
#include <ctime>
#include <sys/socket.h>

void StampArrivals(qintptr socketDescriptor) {
    const int on = 1;
    setsockopt(int(socketDescriptor), SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
}

std::int64_t NextDatagramAgeUs(qintptr socketDescriptor) {
    // One byte is peeked: the stamp comes with any part of the datagram, and the whole of it is
    // read afterwards by the socket's owner.
    char byte = 0;
    iovec part{&byte, 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (recvmsg(int(socketDescriptor), &message, MSG_PEEK | MSG_DONTWAIT) < 0)
        return 0;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS)
            continue;
        timespec stamp{};
        std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const std::int64_t ns = (std::int64_t(now.tv_sec) - stamp.tv_sec) * 1'000'000'000 +
                                (now.tv_nsec - stamp.tv_nsec);
        // The wall clock may have been set back since the stamp.
        return std::max<std::int64_t>(ns / 1000, 0);
    }
    return 0;
}

#else

void StampArrivals(qintptr) {}

std::int64_t NextDatagramAgeUs(qintptr) {
    return 0;
}

#endif
