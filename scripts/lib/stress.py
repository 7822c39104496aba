#!/usr/bin/env python3
"""Stress checks of a running station, on loopback only.

The station is the real program, started with the offscreen platform in a home folder of its
own, on ports of its own. Each check prints its figures and PASS or FAIL; the run ends with
"N passed, M failed" and exits 1 when a check failed. A check is a function in CHECKS that
takes the options and returns (passed, figures); it starts and stops its own station, so a
check that kills or floods the station leaves nothing behind for the next one.
"""

import argparse
import os
import pathlib
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]


def free_port(kind):
    with socket.socket(socket.AF_INET, kind) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def stream_packet(name, text, reply_port=7777):
    return (b"/$0" + text + b"/$1" + name + b"/$2/$30/$4/$7/$5127.0.0.1:" + str(reply_port).encode() + b"/$6/$7")


def datagram_packet(name, text, reply_port):
    return (b"\0#0" + text + b"\0#1" + name + b"\0#2\0#30\0#4\0#5127.0.0.1:" + str(reply_port).encode()
            + b"u\0#6\0#7\0#8\0#9\0")


def heading(name, recipient, sequence):
    return b"Message from " + name + b" to " + recipient + b".\r\n\r\nseq " + str(sequence).encode()


class Station:
    """The program under test, with its own settings, data folder and ports."""

    def __init__(self, program):
        self.program = program
        self.home = pathlib.Path(tempfile.mkdtemp(prefix="tq-stress-"))
        self.tcp_port = free_port(socket.SOCK_STREAM)
        self.udp_port = free_port(socket.SOCK_DGRAM)
        self.process = None
        config = self.home / "config" / "Tarquel International"
        config.mkdir(parents=True)
        (config / "TarquelMessenger.conf").write_text(
            "[Settings]\n"
            f"TCP%20Port={self.tcp_port}\nUDP%20Port={self.udp_port}\n"
            "StoreAndLoad=1\nEnableSound=0\nFirstStart=1\nSystem%20Name=STATION\nFull%20Name=Stress\n"
            "SaveDead=1\nNotify=0\n")
        self.messages = self.home / "data" / "TARQUEL" / "TarquelMessenger" / "messages"

    def __enter__(self):
        runtime = self.home / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, HOME=str(self.home), XDG_CONFIG_HOME=str(self.home / "config"),
                   XDG_DATA_HOME=str(self.home / "data"), XDG_RUNTIME_DIR=str(runtime),
                   QT_QPA_PLATFORM="offscreen")
        self.process = subprocess.Popen([str(self.program), "--minimized"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            try:
                socket.create_connection(("127.0.0.1", self.tcp_port), timeout=0.2).close()
                return self
            except OSError:
                time.sleep(0.05)
        self.__exit__(None, None, None)
        raise RuntimeError("the station did not start listening")

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def stored(self):
        """Sequence numbers of the stored messages, by sender name."""
        found = {}
        if not self.messages.is_dir():
            return found
        for path in self.messages.iterdir():
            try:
                content = path.read_bytes()
            except OSError:
                continue
            match = re.search(rb"Message from (\S+) to \S+\r\n\r\nseq (\d+)$", content)
            if match:
                found.setdefault(match.group(1), set()).add(int(match.group(2)))
        return found

    def settled(self, limit=120):
        """Waits until the station has stopped adding files; returns what is stored."""
        last, quiet_since, deadline = -1, time.monotonic(), time.monotonic() + limit
        while time.monotonic() < deadline:
            count = len(os.listdir(self.messages)) if self.messages.is_dir() else 0
            if count != last:
                last, quiet_since = count, time.monotonic()
            elif time.monotonic() - quiet_since > 2:
                break
            time.sleep(0.2)
        return self.stored()


def exchange(source, port, packet, timeout=10):
    """One message as a sending station sends it; the station's answer, or None."""
    try:
        with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as connection:
            connection.settimeout(timeout)
            connection.bind((source, 0))
            connection.connect(("127.0.0.1", port))
            connection.sendall(packet)
            answer = b""
            while chunk := connection.recv(64):
                answer += chunk
            return answer
    except OSError:
        return None


def udp_socket(source):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 8 << 20)
    sock.bind((source, 0))
    return sock


def check_burst(options):
    """Senders over both transports at once; nothing acknowledged or confirmed may be lost."""
    each = 250 if options.short else 2500
    senders = 4
    acknowledged = {}
    confirmed = {}

    with Station(options.program) as station:
        def tcp_sender(index):
            name = b"TCP%d" % index
            source = "127.0.0.%d" % (10 + index)
            acknowledged[name] = set()
            for i in range(each):
                packet = stream_packet(name, heading(name, b"STATION", i))
                if exchange(source, station.tcp_port, packet) == str(len(packet)).encode():
                    acknowledged[name].add(i)

        def udp_sender(index):
            name = b"UDP%d" % index
            sock = udp_socket("127.0.0.%d" % (20 + index))
            reply_port = sock.getsockname()[1]
            confirmed[name] = set()
            for i in range(each):
                sock.sendto(datagram_packet(name, heading(name, b"R%d" % i, i), reply_port),
                            ("127.0.0.1", station.udp_port))
                if i % 50 == 49:
                    time.sleep(0.005)  # a sender's pace, not a flood
            sock.settimeout(3)
            try:
                while True:
                    match = re.search(rb"Recipient\(s\) R(\d+) ", sock.recv(65536))
                    if match:
                        confirmed[name].add(int(match.group(1)))
            except OSError:
                pass
            sock.close()

        started = time.monotonic()
        threads = [threading.Thread(target=tcp_sender, args=(i,)) for i in range(senders)]
        threads += [threading.Thread(target=udp_sender, args=(i,)) for i in range(senders)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        elapsed = time.monotonic() - started
        stored = station.settled()

    sent = senders * each
    acked = sum(len(v) for v in acknowledged.values())
    acked_lost = sum(len(v - stored.get(k, set())) for k, v in acknowledged.items())
    tcp_stored = sum(len(stored.get(k, set())) for k in acknowledged)
    udp_stored = sum(len(stored.get(k, set())) for k in confirmed)
    confirmations = sum(len(v) for v in confirmed.values())
    confirmed_lost = sum(len(v - stored.get(k, set())) for k, v in confirmed.items())
    figures = (f"TCP {sent} sent, {acked} acknowledged, {tcp_stored} stored, {acked_lost} acknowledged but lost; "
               f"UDP {sent} sent, {udp_stored} stored, {confirmations} confirmed (receipts are paced), "
               f"{confirmed_lost} confirmed but lost; {elapsed:.1f} s")
    return acked == sent and acked_lost == 0 and confirmed_lost == 0, figures


class IdleCrowd:
    """Connections that connect and say nothing, held open."""

    def __init__(self, port, addresses, per_address, first_host=2):
        self.sockets = []
        for a in range(addresses):
            for _ in range(per_address):
                sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                sock.bind(("127.0.0.%d" % (first_host + a), 0))
                sock.connect(("127.0.0.1", port))
                self.sockets.append(sock)

    def close(self):
        for sock in self.sockets:
            sock.close()


def timed_exchange(port, timeout):
    packet = stream_packet(b"NORMAL", heading(b"NORMAL", b"STATION", 0))
    started = time.monotonic()
    answer = exchange("127.0.0.1", port, packet, timeout)
    return answer == str(len(packet)).encode(), time.monotonic() - started


def check_idle(options):
    """A normal sender is served at once while crowds of idle connections are open."""
    crowds = [(1, 17), (16, 8)] if options.short else [(1, 17), (1, 1000), (16, 8)]
    results = []
    passed = True
    with Station(options.program) as station:
        for addresses, per_address in crowds:
            crowd = IdleCrowd(station.tcp_port, addresses, per_address)
            time.sleep(0.5)
            served, seconds = timed_exchange(station.tcp_port, 10)
            crowd.close()
            passed = passed and served and seconds < 1.0
            results.append(f"{addresses * per_address} idle from {addresses} address(es): served "
                           + (f"in {seconds * 1000:.0f} ms" if served else "NOT"))
        if not options.short:
            # Every place taken: the sender waits until the quietest has been silent 5 s.
            crowd = IdleCrowd(station.tcp_port, 32, 8)
            crowd.sockets += IdleCrowd(station.tcp_port, 1, 8, 60).sockets
            time.sleep(0.5)
            served, seconds = timed_exchange(station.tcp_port, 15)
            crowd.close()
            passed = passed and served and seconds < 7.0
            results.append("264 idle from 33 addresses: served "
                           + (f"in {seconds:.1f} s (aim: within 7 s)" if served else "NOT"))
    return passed, "; ".join(results)


def check_reflection(options):
    """Forged datagrams aim receipts at a third party: the receipts stay within their limits."""
    count = 300 if options.short else 3000
    passed = True
    results = []
    with Station(options.program) as station:
        for addresses, per_address in [(1, count), (40, count // 20)]:
            # The receipts go to the forged source addresses, at the victim's port.
            victim = udp_socket("0.0.0.0")
            victim.settimeout(1.5)
            forgers = [udp_socket("127.0.0.%d" % (100 + a)) for a in range(addresses)]
            bytes_in = 0
            started = time.monotonic()
            for i in range(per_address):
                for forger in forgers:
                    datagram = datagram_packet(b"X", b"hi %d" % i, victim.getsockname()[1])
                    forger.sendto(datagram, ("127.0.0.1", station.udp_port))
                    bytes_in += len(datagram)
            receipts = bytes_out = 0
            try:
                while True:
                    bytes_out += len(victim.recv(65536))
                    receipts += 1
            except OSError:
                pass
            seconds = time.monotonic() - started - 1.5
            # Per address 50 at once and 20 a second; in all 500 a second.
            allowed = (50 + 20 * seconds) * addresses if addresses == 1 else 500 + 500 * seconds
            ok = receipts <= allowed + 2
            passed = passed and ok
            results.append(f"{per_address * addresses} forged datagrams from {addresses} address(es), "
                           f"{bytes_in} bytes in: {receipts} receipts, {bytes_out} bytes out "
                           f"(ratio {bytes_out / max(bytes_in, 1):.2f}) in {seconds:.1f} s, limit {allowed:.0f}")
            victim.close()
            for forger in forgers:
                forger.close()
    return passed, "; ".join(results)


# The crash, flood and disk checks join this list as they come.
CHECKS = [
    ("burst", check_burst),
    ("idle connections", check_idle),
    ("reflection", check_reflection),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--short", action="store_true", help="the quick version CI runs")
    parser.add_argument("--program", default=str(ROOT / "build" / "src" / "tarquel-messenger"))
    parser.add_argument("checks", nargs="*", help="names of the checks to run (default: all)")
    options = parser.parse_args()
    passed = failed = 0
    for name, check in CHECKS:
        if options.checks and name not in options.checks:
            continue
        try:
            ok, figures = check(options)
        except Exception as error:  # a check that cannot run has failed
            ok, figures = False, f"could not run: {error}"
        print(f"{name}: {figures}: {'PASS' if ok else 'FAIL'}", flush=True)
        passed, failed = passed + ok, failed + (not ok)
    print(f"stress: {passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
