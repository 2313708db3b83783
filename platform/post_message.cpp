#include "platform/post_message.h"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace cv {

namespace {

constexpr std::size_t kDatagramSize = 16;

socklen_t QueueAddress(HWND wnd, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  // Abstract namespace: the name starts after a zero byte and is not
  // terminated; its length is part of the address.
  const int n = std::snprintf(addr.sun_path + 1, sizeof addr.sun_path - 1, "cv-wnd.%u.%08X",
                              static_cast<unsigned>(::geteuid()), static_cast<unsigned>(wnd));
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<std::size_t>(n));
}

void PutLE32(unsigned char* p, Cardinal v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

Cardinal GetLE32(const unsigned char* p) {
  Cardinal v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<Cardinal>(p[i]) << (8 * i);
  return v;
}

}  // namespace

bool PostMessageW(HWND wnd, Cardinal msg, Cardinal wParam, Integer lParam) {
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un addr;
  const socklen_t len = QueueAddress(wnd, addr);
  unsigned char d[kDatagramSize];
  PutLE32(d, wnd);
  PutLE32(d + 4, msg);
  PutLE32(d + 8, wParam);
  PutLE32(d + 12, static_cast<Cardinal>(lParam));
  const ssize_t sent =
      ::sendto(fd, d, sizeof d, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&addr), len);
  ::close(fd);
  return sent == static_cast<ssize_t>(sizeof d);
}

int OpenWindowMessageQueue(HWND wnd) {
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const int on = 1;
  sockaddr_un addr;
  const socklen_t len = QueueAddress(wnd, addr);
  if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool ReceivePostedMessage(int queue, TPostedMessage& message) {
  for (;;) {
    unsigned char d[kDatagramSize + 1];
    iovec iov{d, sizeof d};
    alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(ucred))];
    msghdr mh{};
    mh.msg_iov = &iov;
    mh.msg_iovlen = 1;
    mh.msg_control = control;
    mh.msg_controllen = sizeof control;
    const ssize_t n = ::recvmsg(queue, &mh, MSG_DONTWAIT);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bool own_user = false;
    for (cmsghdr* c = CMSG_FIRSTHDR(&mh); c != nullptr; c = CMSG_NXTHDR(&mh, c)) {
      if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS &&
          c->cmsg_len >= CMSG_LEN(sizeof(ucred))) {
        ucred cred;
        std::memcpy(&cred, CMSG_DATA(c), sizeof cred);
        own_user = cred.uid == ::geteuid();
      }
    }
    // Anything else (another user's datagram, a wrong size) is dropped.
    if (!own_user || n != static_cast<ssize_t>(kDatagramSize) || (mh.msg_flags & MSG_TRUNC)) continue;
    message.wnd = GetLE32(d);
    message.msg = GetLE32(d + 4);
    message.wParam = GetLE32(d + 8);
    message.lParam = static_cast<Integer>(GetLE32(d + 12));
    return true;
  }
}

void CloseWindowMessageQueue(int queue) {
  if (queue >= 0) ::close(queue);
}

}  // namespace cv
