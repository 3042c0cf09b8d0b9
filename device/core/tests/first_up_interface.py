"""Checks the library's automatic link-local zone: the up, non-loopback interface with the
lowest index, or none (the empty argument)."""
import socket
import sys

IFF_UP = 0x1
IFF_LOOPBACK = 0x8


def flags(name):
    with open(f"/sys/class/net/{name}/flags") as f:
        return int(f.read().strip(), 16)


def first_up_interface():
    for _, name in sorted(socket.if_nameindex()):
        value = flags(name)
        if value & IFF_UP and not value & IFF_LOOPBACK:
            return name
    return ""


expected = first_up_interface()
if sys.argv[1] != expected:
    print(f"library chose {sys.argv[1]!r}, expected {expected!r}")
    sys.exit(1)
