#include "platform/services/RegistryTree.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

std::string Folded(const std::string& name) {
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return LowerCase(name);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    if (utf8.hasError()) return LowerCase(name);  // not UTF-8: only ASCII letters fold
    return text.toCaseFolded().toStdString();
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::string Escaped(std::string_view text, std::string_view alsoEscaped) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsControl(c) || c >= 0x80 || c == '%' || alsoEscaped.find(ch) != std::string_view::npos) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// False when the text has a raw control byte or a broken escape.
bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsControl(static_cast<unsigned char>(c))) return false;
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 2 >= text.size()) return false;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return true;
}

constexpr std::string_view NameEscapes = "=[#";
constexpr std::string_view StringTag = "sz:";
constexpr std::string_view IntegerTag = "dword:";

// The key of a "[path]" line, or false when the line is damaged.
bool ParseKeyLine(std::string_view line, std::vector<std::string>& path) {
    path.clear();
    if (line.size() < 2 || line.back() != ']') return false;
    const std::string_view inner = line.substr(1, line.size() - 2);
    if (inner.empty()) return true;
    size_t start = 0;
    for (;;) {
        const size_t end = inner.find('\\', start);
        std::string part;
        if (!Unescape(inner.substr(start, end == std::string_view::npos ? end : end - start), part) || part.empty())
            return false;
        path.push_back(std::move(part));
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

bool ParseValueLine(std::string_view line, RegistryValue& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !Unescape(line.substr(0, equals), value.Name)) return false;
    const std::string_view data = line.substr(equals + 1);
    if (data.starts_with(StringTag)) {
        value.Type = TRegDataType::rdString;
        return Unescape(data.substr(StringTag.size()), value.Text);
    }
    if (!data.starts_with(IntegerTag)) return false;
    const std::string_view digits = data.substr(IntegerTag.size());
    value.Type = TRegDataType::rdInteger;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value.Number);
    return error == std::errc() && end == digits.data() + digits.size() && !digits.empty();
}

}  // namespace

bool SameRegistryName(const std::string& a, const std::string& b) { return a == b || Folded(a) == Folded(b); }

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinKeyPath(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) path += (path.empty() ? "" : "\\") + part;
    return path;
}

const RegistryKey* RegistryKey::Find(const std::vector<std::string>& path) const {
    const RegistryKey* key = this;
    for (const std::string& part : path) {
        auto it = std::find_if(key->subkeys_.begin(), key->subkeys_.end(),
                               [&](const auto& sub) { return SameRegistryName(sub->name_, part); });
        if (it == key->subkeys_.end()) return nullptr;
        key = it->get();
    }
    return key;
}

RegistryKey* RegistryKey::Find(const std::vector<std::string>& path) {
    return const_cast<RegistryKey*>(std::as_const(*this).Find(path));
}

RegistryKey& RegistryKey::Make(const std::vector<std::string>& path, bool* created) {
    RegistryKey* key = this;
    for (const std::string& part : path) {
        RegistryKey* next = key->Find({part});
        if (!next) {
            next = key->subkeys_.emplace_back(std::make_unique<RegistryKey>(part)).get();
            if (created) *created = true;
        }
        key = next;
    }
    return *key;
}

bool RegistryKey::Remove(const std::vector<std::string>& path) {
    if (path.empty()) return false;
    RegistryKey* parent = Find({path.begin(), path.end() - 1});
    if (!parent) return false;
    const auto removed = std::remove_if(parent->subkeys_.begin(), parent->subkeys_.end(),
                                        [&](const auto& sub) { return SameRegistryName(sub->name_, path.back()); });
    if (removed == parent->subkeys_.end()) return false;
    parent->subkeys_.erase(removed, parent->subkeys_.end());
    return true;
}

const RegistryValue* RegistryKey::Value(const std::string& name) const {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const RegistryValue& value) { return SameRegistryName(value.Name, name); });
    return it == values_.end() ? nullptr : &*it;
}

void RegistryKey::SetValue(RegistryValue value) {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const RegistryValue& old) { return SameRegistryName(old.Name, value.Name); });
    if (it == values_.end()) {
        values_.push_back(std::move(value));
    } else {
        value.Name = it->Name;  // a value keeps the spelling it was made with
        *it = std::move(value);
    }
}

std::string RegistryKey::ToText(const std::string& rootName) const {
    std::string out = "# Lumvex settings store: " + rootName + "\n";
    AppendText({}, out);
    return out;
}

void RegistryKey::AppendText(const std::vector<std::string>& path, std::string& out) const {
    if (!path.empty() || !values_.empty()) {
        out += '[';
        for (size_t i = 0; i < path.size(); ++i) {
            if (i) out += '\\';
            out += Escaped(path[i], "");
        }
        out += "]\n";
    }
    for (const RegistryValue& value : values_) {
        out += Escaped(value.Name, NameEscapes) + '=';
        if (value.Type == TRegDataType::rdString)
            out += std::string(StringTag) + Escaped(value.Text, "") + '\n';
        else
            out += std::string(IntegerTag) + std::to_string(value.Number) + '\n';
    }
    for (const auto& sub : subkeys_) {
        std::vector<std::string> subPath = path;
        subPath.push_back(sub->name_);
        sub->AppendText(subPath, out);
    }
}

RegistryKey RegistryKey::FromText(const std::string& text, bool* damaged) {
    RegistryKey root;
    RegistryKey* current = &root;
    bool anyDamage = false;
    std::vector<std::string> path;
    RegistryValue value;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {  // the last line lost its end
            anyDamage = true;
            break;
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            current = ParseKeyLine(line, path) ? &root.Make(path) : nullptr;
            anyDamage |= current == nullptr;
        } else if (current && ParseValueLine(line, value)) {
            current->SetValue(value);
        } else {
            anyDamage = true;
        }
    }
    if (damaged) *damaged = anyDamage;
    return root;
}

}  // namespace lumvex
