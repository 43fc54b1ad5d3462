#include "savedata.h"

#include <quorva/field.h>

#include <cstring>

namespace qv {
namespace {

constexpr char kCopySignature[4] = {'Q', 'V', 'C', 'P'};
constexpr char kFormMapSignature[4] = {'Q', 'V', 'F', 'M'};
constexpr char kModuleMapSignature[4] = {'Q', 'V', 'M', 'M'};
constexpr unsigned kLayout = 1;

class Writer {
public:
    explicit Writer(const char (&signature)[4]) {
        m_bytes.append(signature, 4);
        u16(kLayout);
    }
    void u8(unsigned v) { m_bytes.push_back(char(v & 0xFF)); }
    void u16(unsigned v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void u64(std::uint64_t v) {
        u32(std::uint32_t(v));
        u32(std::uint32_t(v >> 32));
    }
    void text(const std::string& s) {
        const std::size_t n = std::min<std::size_t>(s.size(), 0xFFFF);
        u16(unsigned(n));
        m_bytes.append(s.data(), n);
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

class Reader {
public:
    Reader(const void* data, int size)
        : m_data(static_cast<const unsigned char*>(data)),
          m_size(data && size > 0 ? std::size_t(size) : 0) {}
    bool start(const char (&signature)[4]) {
        if (m_size < 6 || std::memcmp(m_data, signature, 4) != 0)
            return false;
        m_pos = 4;
        return u16() == kLayout && m_ok;
    }
    unsigned u8() {
        if (!need(1))
            return 0;
        return m_data[m_pos++];
    }
    unsigned u16() {
        const unsigned lo = u8();
        return lo | (u8() << 8);
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (std::uint32_t(u16()) << 16);
    }
    std::uint64_t u64() {
        const std::uint64_t lo = u32();
        return lo | (std::uint64_t(u32()) << 32);
    }
    std::string text() {
        const unsigned n = u16();
        if (!need(n))
            return {};
        std::string s(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return s;
    }
    // Every byte read and none left over.
    bool done() const { return m_ok && m_pos == m_size; }
    bool ok() const { return m_ok; }

private:
    bool need(std::size_t n) {
        if (!m_ok || m_size - m_pos < n)
            m_ok = false;
        return m_ok;
    }
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

bool isTextType(int type) {
    return type >= FT_TEXT && type <= 11;
}

} // namespace

std::string writeCopyBlob(const CopyBlob& blob) {
    Writer w(kCopySignature);
    w.u16(unsigned(blob.copyNumber));
    w.text(blob.parentForm);
    w.u16(unsigned(blob.parentNumber));
    w.u32(blob.copyFlags);
    w.text(blob.title);
    w.u16(unsigned(blob.values.size()));
    for (const SavedValue& v : blob.values) {
        w.u16(unsigned(v.number));
        w.u8(unsigned(v.type));
        w.u32(v.flags);
        if (isTextType(v.type)) {
            w.text(v.text);
        } else if (v.type == FT_DECIMAL) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &v.real, sizeof bits);
            w.u64(bits);
        } else {
            w.u64(std::uint64_t(v.integer));
        }
    }
    return w.take();
}

bool readCopyBlob(const void* data, int size, CopyBlob& blob) {
    Reader r(data, size);
    if (!r.start(kCopySignature))
        return false;
    CopyBlob b;
    b.copyNumber = int(r.u16());
    b.parentForm = r.text();
    b.parentNumber = int(r.u16());
    b.copyFlags = r.u32();
    b.title = r.text();
    const unsigned count = r.u16();
    for (unsigned i = 0; i < count && r.ok(); ++i) {
        SavedValue v;
        v.number = int(r.u16());
        v.type = int(r.u8());
        v.flags = r.u32();
        if (isTextType(v.type)) {
            v.text = r.text();
        } else if (v.type == FT_DECIMAL) {
            const std::uint64_t bits = r.u64();
            std::memcpy(&v.real, &bits, sizeof bits);
        } else {
            v.integer = std::int64_t(r.u64());
        }
        b.values.push_back(std::move(v));
    }
    if (!r.done() || b.copyNumber < 1)
        return false;
    blob = std::move(b);
    return true;
}

std::string writeFormMap(const std::vector<FormMapEntry>& map) {
    Writer w(kFormMapSignature);
    w.u16(unsigned(map.size()));
    for (const FormMapEntry& e : map) {
        w.u16(unsigned(e.number));
        w.u16(unsigned(e.element));
        w.u8(unsigned(e.type));
        w.text(e.name);
    }
    return w.take();
}

bool readFormMap(const void* data, int size, std::vector<FormMapEntry>& map) {
    Reader r(data, size);
    if (!r.start(kFormMapSignature))
        return false;
    std::vector<FormMapEntry> m;
    const unsigned count = r.u16();
    for (unsigned i = 0; i < count && r.ok(); ++i) {
        FormMapEntry e;
        e.number = int(r.u16());
        e.element = int(r.u16());
        e.type = int(r.u8());
        e.name = r.text();
        m.push_back(std::move(e));
    }
    if (!r.done())
        return false;
    map = std::move(m);
    return true;
}

std::string writeModuleMap(const ModuleMap& map) {
    Writer w(kModuleMapSignature);
    w.text(map.version);
    w.u16(unsigned(map.forms.size()));
    for (const std::string& f : map.forms)
        w.text(f);
    return w.take();
}

bool readModuleMap(const void* data, int size, ModuleMap& map) {
    Reader r(data, size);
    if (!r.start(kModuleMapSignature))
        return false;
    ModuleMap m;
    m.version = r.text();
    const unsigned count = r.u16();
    for (unsigned i = 0; i < count && r.ok(); ++i)
        m.forms.push_back(r.text());
    if (!r.done())
        return false;
    map = std::move(m);
    return true;
}

} // namespace qv
