// zr7ctl: diagnostics for the supported HID devices, real or simulated.
//
//   zr7ctl [--simulate[=MODELS]] [--trace] COMMAND
//     list
//     info MODEL
//     read MODEL settings|keys|memory ADDRESS LENGTH
//     raw MODEL ID [LENGTH [ADDRESS [HEX-DATA]]]
//     dump MODEL                      (simulation only)

#include "hid/CommandChannel.h"
#include "hid/Commands.h"
#include "hid/DeviceIdentity.h"
#include "hid/HidInterface.h"
#include "sim/Simulation.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: zr7ctl [--simulate[=MODELS]] [--trace] COMMAND\n"
    "  list                                   supported HID interfaces present\n"
    "  info MODEL                             the device information block\n"
    "  read MODEL settings|keys|memory ADDRESS LENGTH\n"
    "  raw MODEL ID [LENGTH [ADDRESS [HEX-DATA]]]\n"
    "  dump MODEL                             virtual device memory (--simulate only)\n"
    "MODEL: mouse, mouse-receiver, keyboard, keyboard-receiver, mousepad, headset\n"
    "MODELS: comma-separated models, 'all' or 'auto' (default)\n";

int Fail(const QString& message, int code = kExitFailure) {
    std::fprintf(stderr, "zr7ctl: %s\n", message.toLocal8Bit().constData());
    return code;
}

QString Hex(const uint8_t* bytes, size_t length) {
    QString s;
    for (size_t i = 0; i < length; ++i) {
        if (i)
            s += ' ';
        s += QStringLiteral("%1").arg(bytes[i], 2, 16, QChar('0'));
    }
    return s;
}

void Print(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
}

QString TypeName(uint16_t type) {
    switch (type) {
        case hid::kKeyboardWired:
            return "keyboard";
        case hid::kMouseWired:
            return "mouse";
        case hid::kMousepad:
            return "mousepad";
        case hid::kMouseReceiver:
            return "mouse-receiver";
        case hid::kHeadset:
            return "headset";
        case hid::kKeyboardReceiver:
            return "keyboard-receiver";
    }
    return QStringLiteral("type-%1").arg(type);
}

std::optional<uint16_t> ModelType(const QString& model) {
    const QString m = model.toLower();
    for (uint16_t t : {hid::kMouseWired, hid::kMouseReceiver, hid::kKeyboardWired,
                       hid::kKeyboardReceiver, hid::kMousepad, hid::kHeadset})
        if (TypeName(t) == m)
            return t;
    return std::nullopt;
}

QString ResultText(int code) {
    switch (code) {
        case 0:
            return "no answer from the device (time-out, or not usable)";
        case hid::kResultWriteFailed:
            return "writing the command failed (device gone?)";
        case hid::kResultNoLink:
            return "the device behind the receiver does not answer (switched off?)";
        case hid::kResultStatusFF:
            return "the device refused the command (status 0xFF)";
        case hid::kResultStatusFE:
            return "the device refused the command (status 0xFE, checksum)";
        case hid::kResultBadProfile:
            return "only profile 0 can be written";
    }
    return QStringLiteral("result code %1").arg(code);
}

bool ParseNumber(const QString& text, uint32_t max, uint32_t* value) {
    bool ok = false;
    const uint v = text.toUInt(&ok, 0);  // decimal or 0x...
    if (!ok || v > max)
        return false;
    *value = v;
    return true;
}

struct Match {
    int row = -1;
    QString path;
    QString error;  // set when the interface could not be opened
};

// Every present interface that matches a table row.
std::vector<Match> FindSupported() {
    std::vector<Match> matches;
    hid::HidInterface probe;
    if (!probe.EnumerateInterfaces())
        return matches;
    const auto& table = hid::SupportedDeviceTable();
    for (QString path = probe.NextPath(); !path.isNull(); path = probe.NextPath()) {
        hid::DeviceIdentity c = hid::CandidateFromPath(path);
        int slot = -1;
        for (int i = 0; i < hid::kSupportedDeviceCount; ++i) {
            const auto& r = table[i];
            if (r.VendorId == c.VendorId && r.ProductId == c.ProductId &&
                r.InterfaceNumber == c.InterfaceNumber &&
                r.CollectionNumber == c.CollectionNumber) {
                slot = i;
                break;
            }
        }
        if (slot < 0)
            continue;
        Match m;
        m.path = path;
        if (!probe.Open(path, true, false, true, false)) {
            m.row = slot;
            m.error = probe.LastError();
            matches.push_back(m);
            continue;
        }
        c.UsagePage = probe.Caps().UsagePage;
        c.Usage = probe.Caps().Usage;
        probe.Close();
        for (int i = 0; i < hid::kSupportedDeviceCount; ++i) {
            const auto& r = table[i];
            if (r.VendorId == c.VendorId && r.ProductId == c.ProductId &&
                r.InterfaceNumber == c.InterfaceNumber &&
                r.CollectionNumber == c.CollectionNumber && r.UsagePage == c.UsagePage &&
                r.Usage == c.Usage) {
                m.row = i;
                matches.push_back(m);
                break;
            }
        }
    }
    return matches;
}

int CommandList() {
    const std::vector<Match> matches = FindSupported();
    if (matches.empty())
        return Fail("no supported device found");
    const auto& table = hid::SupportedDeviceTable();
    for (const Match& m : matches) {
        const auto& r = table[m.row];
        QString line = QStringLiteral("%1  %2  %3  %4")
                           .arg(m.row, 2)
                           .arg(TypeName(r.DeviceType), -17)
                           .arg(r.InterfaceRole == hid::kRoleCommand ? "command" : "input  ")
                           .arg(m.path);
        if (!m.error.isEmpty())
            line += QStringLiteral("  (cannot open: %1)").arg(m.error);
        Print(line);
    }
    return kExitOk;
}

class Session {
public:
    bool trace = false;

    // Opens the command interface of the model; prints the error itself.
    int Open(const QString& model) {
        const std::optional<uint16_t> type = ModelType(model);
        if (!type)
            return Fail(QStringLiteral("unknown model '%1'").arg(model), kExitUsage);
        const auto& table = hid::SupportedDeviceTable();
        const Match* found = nullptr;
        const std::vector<Match> matches = FindSupported();
        for (const Match& m : matches)
            if (table[m.row].DeviceType == *type &&
                table[m.row].InterfaceRole == hid::kRoleCommand) {
                found = &m;
                break;
            }
        if (!found)
            return Fail(QStringLiteral("no %1 found").arg(model));
        if (!found->error.isEmpty())
            return Fail(QStringLiteral("cannot open %1: %2").arg(found->path, found->error));
        const bool wireless = *type == hid::kMouseReceiver || *type == hid::kKeyboardReceiver;
        hid::HidInterface& hid =
            wireless ? channel_.ReceiverInterface() : channel_.WiredInterface();
        if (!hid.Open(found->path, true, true, true, false))
            return Fail(QStringLiteral("cannot open %1: %2").arg(found->path, hid.LastError()));
        // Mousepad and headset channels keep the default (24-byte chunks).
        if (*type != hid::kMousepad && *type != hid::kHeadset)
            channel_.SetConnectionType(wireless ? hid::kConnectionWireless : hid::kConnectionWired);
        channel_.SetOpened(true);
        if (trace) {
            channel_.SetTraceHook([](bool sent, const uint8_t* report, size_t length) {
                uint8_t full[64] = {};
                std::copy(report, report + std::min<size_t>(length, 64), full);
                Print(QStringLiteral("%1 %2").arg(sent ? ">" : "<", Hex(full, 64)));
                std::fflush(stdout);
            });
        }
        return kExitOk;
    }
    hid::CommandChannel& Channel() { return channel_; }
    uint16_t Version() { return channel_.ActiveInterface().Attributes().versionNumber; }

private:
    hid::CommandChannel channel_;
};

int CommandInfo(Session& s, const QStringList& args) {
    if (args.size() != 1)
        return Fail("info needs MODEL", kExitUsage);
    if (int r = s.Open(args[0]))
        return r;
    uint8_t info[hid::kDeviceInfoLength] = {};
    const int r = hid::ReadDeviceInfo(s.Channel(), info);
    if (r != 1)
        return Fail(ResultText(r));
    const auto d = hid::DeviceInfoBlock::Decode(info);
    auto dpi = [&](uint32_t index) {
        if (d.sensorId == 0x3325 && index > 48)
            return 48u * d.dpiStep + d.dpiMin + 200u * (index - 48);
        return index * d.dpiStep + d.dpiMin;
    };
    Print(QStringLiteral("firmware version: 0x%1").arg(s.Version(), 4, 16, QChar('0')));
    Print(QStringLiteral("key count: %1").arg(d.keyCount));
    Print(QStringLiteral("macro memory: %1 bytes").arg(d.macroMemoryUnits * 128));
    Print(QStringLiteral("sensor: 0x%1").arg(d.sensorId, 4, 16, QChar('0')));
    Print(QStringLiteral("dpi step: %1").arg(d.dpiStep));
    Print(QStringLiteral("dpi range: %1..%2 (index 0..%3)")
              .arg(dpi(0))
              .arg(dpi(d.dpiMaxIndex))
              .arg(d.dpiMaxIndex));
    Print(QStringLiteral("raw: %1").arg(Hex(info, sizeof info)));
    return kExitOk;
}

int CommandRead(Session& s, const QStringList& args) {
    if (args.size() != 4)
        return Fail("read needs MODEL settings|keys|memory ADDRESS LENGTH", kExitUsage);
    const QString what = args[1].toLower();
    uint8_t id = 0;
    if (what == "settings")
        id = hid::kCmdReadSettings;
    else if (what == "keys")
        id = hid::kCmdReadKeyTable;
    else if (what == "memory")
        id = hid::kCmdReadMemory;
    else
        return Fail(QStringLiteral("unknown area '%1'").arg(args[1]), kExitUsage);
    uint32_t address = 0, length = 0;
    if (!ParseNumber(args[2], 0xFFFF, &address))
        return Fail(QStringLiteral("bad address '%1'").arg(args[2]), kExitUsage);
    if (!ParseNumber(args[3], 4096, &length) || length == 0 || address + length > 0x10000)
        return Fail(QStringLiteral("bad length '%1'").arg(args[3]), kExitUsage);
    if (int r = s.Open(args[0]))
        return r;
    std::vector<uint8_t> data(length);
    int r = 1;
    if (id == hid::kCmdReadMemory) {
        for (uint32_t done = 0; done < length && r == 1; done += 56)
            r = hid::ReadMemory(s.Channel(), address + done, data.data() + done,
                                std::min<uint32_t>(56, length - done));
    } else {
        r = hid::ReadRange(s.Channel(), id, address, data.data(), length);
    }
    if (r != 1)
        return Fail(ResultText(r));
    for (uint32_t off = 0; off < length; off += 16)
        Print(QStringLiteral("%1: %2")
                  .arg(address + off, 4, 16, QChar('0'))
                  .arg(Hex(data.data() + off, std::min<uint32_t>(16, length - off))));
    return kExitOk;
}

int CommandRaw(Session& s, const QStringList& args) {
    if (args.size() < 2 || args.size() > 5)
        return Fail("raw needs MODEL ID [LENGTH [ADDRESS [HEX-DATA]]]", kExitUsage);
    uint32_t id = 0, length = 0, address = 0;
    if (!ParseNumber(args[1], 0xFF, &id))
        return Fail(QStringLiteral("bad command id '%1'").arg(args[1]), kExitUsage);
    if (args.size() > 2 && !ParseNumber(args[2], 56, &length))
        return Fail(QStringLiteral("bad length '%1' (0..56)").arg(args[2]), kExitUsage);
    if (args.size() > 3 && !ParseNumber(args[3], 0xFFFF, &address))
        return Fail(QStringLiteral("bad address '%1'").arg(args[3]), kExitUsage);
    QByteArray data;
    if (args.size() > 4) {
        QString hex = args[4];
        hex.remove(' ').remove(':');
        data = QByteArray::fromHex(hex.toLatin1());
        if (hex.size() % 2 || data.size() * 2 != hex.size() || data.size() > 56)
            return Fail(QStringLiteral("bad hex data '%1' (at most 56 bytes)").arg(args[4]),
                        kExitUsage);
    }
    if (int r = s.Open(args[0]))
        return r;
    uint8_t answer[64];
    const int r = hid::RawCommand(s.Channel(), uint8_t(id), uint8_t(length), uint16_t(address),
                                  reinterpret_cast<const uint8_t*>(data.constData()),
                                  size_t(data.size()), answer);
    if (r != 1)
        return Fail(ResultText(r));
    Print(Hex(answer + 8, length ? length : 56));
    return kExitOk;
}

int CommandDump(const std::shared_ptr<sim::VirtualBus>& bus, const QStringList& args) {
    if (args.size() != 1)
        return Fail("dump needs MODEL", kExitUsage);
    if (!bus)
        return Fail("dump works only with --simulate");
    const std::optional<uint16_t> type = ModelType(args[0]);
    if (!type)
        return Fail(QStringLiteral("unknown model '%1'").arg(args[0]), kExitUsage);
    sim::DeviceKind kind = sim::DeviceKind::Mouse;
    if (*type == hid::kKeyboardWired || *type == hid::kKeyboardReceiver)
        kind = sim::DeviceKind::Keyboard;
    else if (*type == hid::kMousepad)
        kind = sim::DeviceKind::Mousepad;
    else if (*type == hid::kHeadset)
        kind = sim::DeviceKind::Headset;
    sim::VirtualDevice* device = bus->Device(kind);
    if (!device)
        return Fail(QStringLiteral("no simulated %1").arg(args[0]));
    std::fputs(device->DumpMemory().toLocal8Bit().constData(), stdout);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    std::shared_ptr<sim::VirtualBus> bus;
    Session session;
    while (!args.isEmpty() && args.front().startsWith("--")) {
        const QString option = args.takeFirst();
        if (option == "--trace") {
            session.trace = true;
        } else if (option == "--simulate" || option.startsWith("--simulate=")) {
            QString error;
            bus = sim::CreateBus(option.mid(QStringLiteral("--simulate=").size()), &error);
            if (!bus)
                return Fail(error, kExitUsage);
            sim::InstallBus(bus, false);
        } else if (option == "--help") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        } else {
            std::fputs(kUsage, stderr);
            return Fail(QStringLiteral("unknown option '%1'").arg(option), kExitUsage);
        }
    }
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const QString command = args.takeFirst();
    if (command == "list")
        return args.isEmpty() ? CommandList() : Fail("list takes no arguments", kExitUsage);
    if (command == "info")
        return CommandInfo(session, args);
    if (command == "read")
        return CommandRead(session, args);
    if (command == "raw")
        return CommandRaw(session, args);
    if (command == "dump")
        return CommandDump(bus, args);
    std::fputs(kUsage, stderr);
    return Fail(QStringLiteral("unknown command '%1'").arg(command), kExitUsage);
}
