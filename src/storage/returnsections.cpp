#include "storage/returnsections.h"

#include "app/config.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "storage/memdatafile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace qv::sections {
namespace {

std::uint64_t versionOfFile(const char* file) {
    const std::string path = pf::findFile(pf::progDir() + file);
    return pf::fileExists(path) ? pf::libraryFileVersion(path) : 0;
}

} // namespace

std::string BuildAppData() {
    const std::uint64_t versions[] = {
        pf::makeVersion(config::kVersionMajor, config::kVersionMinor, 0, 0),
        versionOfFile("FEDCALC.so"),
        versionOfFile("FEDPRINT.so"),
        versionOfFile("FORMCAST.so"),
        versionOfFile("Transmit.so"),
    };
    std::string text = std::string("2002 ") + kEdition + " FINAL";
    for (std::uint64_t v : versions) {
        char part[16];
        std::snprintf(part, sizeof part, " %u.%u", pf::versionMajor(v), pf::versionMinor(v));
        text += part;
    }
    return text;
}

std::string NamePart(const std::string& name, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t sep = name.find('_', start);
        if (sep == std::string::npos)
            return {};
        start = sep + 1;
    }
    const std::size_t end = name.find('_', start);
    return name.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool IsModuleSection(const std::string& name) {
    const std::string first = NamePart(name, 1);
    return first == "MODDATA" || first == "FORMDATA" || first == "MODMAP" || first == "FORMMAP";
}

std::string ReadBlob(CDataFile& file, const std::string& name, bool* found) {
    const std::uint32_t length = file.GetLength(name);
    std::string bytes(length, '\0');
    const bool ok = file.Exists(name) && (length == 0 || file.Get(name, bytes.data()));
    if (found)
        *found = ok;
    return ok ? bytes : std::string();
}

std::string ReadShortText(CDataFile& file, const std::string& name, bool* found) {
    std::string text = ReadBlob(file, name, found);
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.erase(zero);
    if (text.size() > kShortValueSize - 1)
        text.erase(kShortValueSize - 1);
    return text;
}

int PutText(CMemDataFile& file, const std::string& name, const std::string& text) {
    return file.Put(name, text.c_str(), std::uint32_t(text.size() + 1));
}

int RemoveEntriesIf(CMemDataFile& file, const std::function<bool(const std::string&)>& doomed) {
    std::vector<std::string> names;
    for (int i = 0; i < file.GetCount(); ++i) {
        std::string name;
        if (file.GetName(i, name) && doomed(name))
            names.push_back(name);
    }
    for (const std::string& name : names)
        file.Remove(name);
    return int(names.size());
}

std::string HeaderComment(const CModuleList& modules) {
    CTaxModule* federal = modules.federal();
    std::string comment;
    const char* separator = "";
    for (const char* field :
         {"TaxpayerLName", "TaxpayerFName", "TaxpayerMName", "TaxpayerSSN", "ClientEmail"}) {
        comment += separator;
        if (federal)
            comment += federal->GetFieldText(field);
        separator = ",";
    }
    return comment;
}

} // namespace qv::sections
