#include "platform/comdlg/file_dialog_model.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/kernel/path.h"

namespace win32::comdlg {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool Match(const char* n, const char* p) {
    // Iterative wildcard match with one backtracking point per star.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*p == '*') {
            star = p++;
            resume = n;
        } else if (*p == '?' || (*p && Lower(*p) == Lower(*n))) {
            ++p;
            ++n;
        } else if (star) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*') ++p;
    return *p == '\0';
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace

std::vector<Filter> ParseFilter(LPCSTR filter) {
    std::vector<Filter> out;
    if (!filter) return out;
    const char* p = filter;
    while (*p) {
        std::string description = p;
        p += description.size() + 1;
        if (!*p) break;
        std::string patterns = p;
        p += patterns.size() + 1;
        Filter f;
        f.description = description;
        std::size_t start = 0;
        while (start <= patterns.size()) {
            std::size_t semi = patterns.find(';', start);
            std::string one = Trim(patterns.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
            if (!one.empty()) f.patterns.push_back(one);
            if (semi == std::string::npos) break;
            start = semi + 1;
        }
        out.push_back(f);
    }
    return out;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*" || pattern == "*") return true;
    return Match(name.c_str(), pattern.c_str());
}

bool MatchesAny(const std::string& name, const std::vector<std::string>& patterns) {
    if (patterns.empty()) return true;
    return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) { return MatchesPattern(name, p); });
}

bool IsFolder(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns,
                                    bool showHidden) {
    std::vector<FolderEntry> folders, files;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (!showHidden && name[0] == '.') continue;
        if (IsFolder(JoinPath(folder, name))) folders.push_back({name, true});
        else if (MatchesAny(name, patterns)) files.push_back({name, false});
    }
    ::closedir(dir);
    auto byName = [](const FolderEntry& a, const FolderEntry& b) { return LessNoCase(a.name, b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string ParentFolder(const std::string& folder) {
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/') f.pop_back();
    std::size_t slash = f.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return f.substr(0, slash);
}

std::string ResolveTyped(const std::string& folder, const std::string& typed) {
    std::string t = typed;
    std::replace(t.begin(), t.end(), '\\', '/');
    if (!t.empty() && t[0] == '~' && (t.size() == 1 || t[1] == '/')) {
        const char* home = std::getenv("HOME");
        if (home && *home) t = std::string(home) + t.substr(1);
    }
    std::string joined = (!t.empty() && t[0] == '/') ? t : JoinPath(folder, t);
    std::string full = kernel::FullPath(joined);
    while (full.size() > 1 && full.back() == '/') full.pop_back();
    return full;
}

std::string StartFolder(const std::string& fileField, LPCSTR initialDir) {
    std::string candidate;
    std::string field = fileField;
    std::replace(field.begin(), field.end(), '\\', '/');
    std::size_t slash = field.find_last_of('/');
    if (slash != std::string::npos) candidate = slash == 0 ? "/" : field.substr(0, slash);
    if (candidate.empty() && initialDir && *initialDir) candidate = initialDir;
    if (candidate.empty()) candidate = kernel::CurrentDirectory();
    if (candidate.empty()) candidate = "/";
    std::string folder = ResolveTyped(kernel::CurrentDirectory().empty() ? "/" : kernel::CurrentDirectory(), candidate);
    while (!IsFolder(folder) && folder != "/") folder = ParentFolder(folder);
    return folder;
}

std::string FileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path) {
    std::string name = FileNamePart(path);
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return {};
    return name.substr(dot + 1);
}

std::string ExtensionToAdd(const std::string& path, LPCSTR defExt, const Filter* currentFilter) {
    if (!defExt) return {};
    std::string name = FileNamePart(path);
    if (name.empty() || name.find('.') != std::string::npos) return {};
    if (currentFilter) {
        for (const std::string& p : currentFilter->patterns) {
            if (p.size() > 2 && p[0] == '*' && p[1] == '.' && p.find_first_of("*?", 2) == std::string::npos)
                return p.substr(2);
        }
    }
    std::string ext = defExt;
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    return ext;
}

bool IsPattern(const std::string& typed) { return typed.find_first_of("*?") != std::string::npos; }

bool WriteResult(OPENFILENAMEA& ofn, const std::string& path, DWORD* error) {
    if (error) *error = 0;
    if (!ofn.lpstrFile || ofn.nMaxFile == 0) {
        if (error) *error = FNERR_BUFFERTOOSMALL;
        return false;
    }
    if (path.size() + 1 > ofn.nMaxFile) {
        if (ofn.nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        if (error) *error = FNERR_BUFFERTOOSMALL;
        return false;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    std::size_t slash = path.find_last_of('/');
    std::size_t offset = slash == std::string::npos ? 0 : slash + 1;
    ofn.nFileOffset = static_cast<WORD>(std::min<std::size_t>(offset, 0xFFFF));
    std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot > offset) {
        ofn.nFileExtension = static_cast<WORD>(std::min<std::size_t>(dot + 1 == path.size() ? 0 : dot + 1, 0xFFFF));
    } else {
        ofn.nFileExtension = static_cast<WORD>(std::min<std::size_t>(path.size(), 0xFFFF));
    }
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        std::string title = path.substr(offset);
        std::size_t n = std::min<std::size_t>(title.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, title.data(), n);
        ofn.lpstrFileTitle[n] = '\0';
    }
    ofn.Flags &= ~OFN_EXTENSIONDIFFERENT;
    if (ofn.lpstrDefExt) {
        std::string def = ofn.lpstrDefExt;
        std::string ext = ExtensionOf(path);
        bool same = def.size() == ext.size() &&
                    std::equal(def.begin(), def.end(), ext.begin(), [](char a, char b) { return Lower(a) == Lower(b); });
        if (!same) ofn.Flags |= OFN_EXTENSIONDIFFERENT;
    }
    return true;
}

}  // namespace win32::comdlg
