#pragma once
// Reads the #include lines of the program's sources and reports what breaks
// the layering: a file that includes one of a folder above its own in the
// order, a file that includes something of the repository outside the
// layers (tests, tools), an SDL or OpenGL header outside the platform layer,
// and folders whose files include each other round a circle.
//
// The order lists folders from the bottom up; a file belongs to the longest
// entry its path starts with, and may include files of its own entry and the
// entries before it. A file below a layer's top folder that no entry covers
// is reported, so that a new folder is given its place before it is used.
#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace SourceLayers {

class LayerCheck {
public:
    // order: folders from the bottom up, such as "platform", "engine",
    // "game/common", "game/app"; platformFolder: the only folder whose files
    // may include SDL and OpenGL headers.
    LayerCheck(std::vector<std::string> order, std::string platformFolder);

    // A source file by its path from the repository root ("engine/core/A.h")
    // and its text.
    void AddFile(const std::string& path, const std::string& text);
    // A folder at the repository root that is not a layer ("tests").
    void AddOtherFolder(const std::string& name);
    // Every source file below the order's top folders and every other folder
    // at the top of root.
    void AddTree(const std::filesystem::path& root);

    // One line per fault, "file:line: what", in file order; the folder
    // circles come last.
    std::vector<std::string> Violations() const;

    std::size_t FileCount() const { return files.size(); }
    std::size_t IncludeCount() const;

private:
    struct Include {
        int line = 0;
        std::string name;  // as written between the quotes or brackets
        bool angled = false;
    };

    // Index into order of the entry the path belongs to; -1 when none.
    int Rank(const std::string& path) const;
    bool InLayers(const std::string& path) const;
    // The repository path a quoted include names: a path relative to the
    // including file when such a file was added, else from the root; empty
    // for a header from outside the repository.
    std::string Resolve(const std::string& from, const Include& include) const;
    void AddCircles(std::vector<std::string>& out) const;

    std::vector<std::string> order;
    std::string platformFolder;
    std::set<std::string> topFolders;  // first components of order
    std::set<std::string> otherFolders;
    std::map<std::string, std::vector<Include>> files;
};

} // namespace SourceLayers
