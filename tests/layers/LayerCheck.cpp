#include "LayerCheck.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <queue>
#include <regex>
#include <sstream>
#include <utility>

namespace SourceLayers {

namespace fs = std::filesystem;

namespace {

std::string Normal(const fs::path& path)
{
    return path.lexically_normal().generic_string();
}

std::string FirstComponent(const std::string& path)
{
    return path.substr(0, path.find('/'));
}

std::string Folder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsBelow(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

// SDL's headers (<SDL.h>, <SDL_opengl.h>, <SDL2/SDL.h>) and the OpenGL
// family's.
bool IsPlatformHeader(const std::string& name)
{
    static const char* const kPrefixes[] = {"SDL", "GL/", "GLES", "EGL/", "KHR/", "GLFW/", "glad/", "OpenGL/", "epoxy/"};
    return std::any_of(std::begin(kPrefixes), std::end(kPrefixes),
                       [&](const char* prefix) { return name.rfind(prefix, 0) == 0; });
}

bool IsSource(const fs::path& path)
{
    static const std::set<std::string> kExtensions = {".h", ".hpp", ".inl", ".c", ".cc", ".cpp"};
    return kExtensions.count(path.extension().string()) != 0;
}

} // namespace

LayerCheck::LayerCheck(std::vector<std::string> givenOrder, std::string givenPlatformFolder)
    : order(std::move(givenOrder)), platformFolder(std::move(givenPlatformFolder))
{
    for (const std::string& entry : order)
        topFolders.insert(FirstComponent(entry));
}

void LayerCheck::AddFile(const std::string& path, const std::string& text)
{
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include>& includes = files[Normal(path)];
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] != '#')
            continue;
        std::smatch match;
        if (std::regex_search(line, match, kInclude))
            includes.push_back({number, match[2].str(), match[1].str() == "<"});
    }
}

void LayerCheck::AddOtherFolder(const std::string& name)
{
    otherFolders.insert(name);
}

void LayerCheck::AddTree(const fs::path& root)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && !topFolders.count(name) && name[0] != '.' && name.rfind("build", 0) != 0)
            AddOtherFolder(name);
    }
    for (const std::string& top : topFolders) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / top)) {
            if (!entry.is_regular_file() || !IsSource(entry.path()))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            AddFile(Normal(entry.path().lexically_relative(root)), text.str());
        }
    }
}

std::size_t LayerCheck::IncludeCount() const
{
    std::size_t count = 0;
    for (const auto& [path, includes] : files)
        count += includes.size();
    return count;
}

int LayerCheck::Rank(const std::string& path) const
{
    int best = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const bool covers = path == order[i] || IsBelow(path, order[i]);
        if (covers && (best < 0 || order[i].size() > order[best].size()))
            best = static_cast<int>(i);
    }
    return best;
}

bool LayerCheck::InLayers(const std::string& path) const
{
    return topFolders.count(FirstComponent(path)) != 0;
}

std::string LayerCheck::Resolve(const std::string& from, const Include& include) const
{
    if (!include.angled) {
        const std::string beside = Normal(fs::path(Folder(from)) / include.name);
        if (files.count(beside))
            return beside;
    }
    const std::string fromRoot = Normal(include.name);
    const std::string first = FirstComponent(fromRoot);
    if (topFolders.count(first) || otherFolders.count(first))
        return fromRoot;
    return std::string();
}

std::vector<std::string> LayerCheck::Violations() const
{
    std::vector<std::string> out;
    for (const auto& [path, includes] : files) {
        const int rank = Rank(path);
        if (rank < 0) {
            out.push_back(path + ": in no folder of the layer order");
            continue;
        }
        const bool inPlatform = IsBelow(path, platformFolder);
        for (const Include& include : includes) {
            const std::string where = path + ":" + std::to_string(include.line) + ": ";
            if (!inPlatform && IsPlatformHeader(include.name)) {
                out.push_back(where + "includes " + include.name + ", an SDL or OpenGL header outside " +
                              platformFolder + "/");
                continue;
            }
            const std::string target = Resolve(path, include);
            if (target.empty())
                continue;
            if (!InLayers(target)) {
                out.push_back(where + "includes " + target + ", outside the layers");
                continue;
            }
            const int targetRank = Rank(target);
            if (targetRank < 0)
                out.push_back(where + "includes " + target + ", in no folder of the layer order");
            else if (targetRank > rank)
                out.push_back(where + "includes " + target + ": " + order[targetRank] + " sits above " +
                              order[rank]);
        }
    }
    AddCircles(out);
    return out;
}

// Folders whose files include each other round a circle, found as the
// strongly connected components of the folder graph (Tarjan), each shown by
// one circle through its first folder with an include for every step.
void LayerCheck::AddCircles(std::vector<std::string>& out) const
{
    std::map<std::string, std::map<std::string, std::string>> edges;  // folder -> folder -> example
    for (const auto& [path, includes] : files) {
        for (const Include& include : includes) {
            const std::string target = Resolve(path, include);
            // An area's folder picks its real implementation from its own
            // sub-folders, which in turn use the area's interface: the area
            // and its implementations are one unit, so only the sub-folder's
            // includes of its area count here.
            if (target.empty() || !InLayers(target) || Folder(target) == Folder(path) ||
                IsBelow(Folder(target), Folder(path)))
                continue;
            edges[Folder(path)].emplace(Folder(target),
                                        path + ":" + std::to_string(include.line) + " includes " + target);
        }
    }

    std::map<std::string, int> index;
    std::map<std::string, int> low;
    std::set<std::string> onStack;
    std::vector<std::string> stack;
    std::vector<std::vector<std::string>> components;
    int next = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& folder) {
        index[folder] = low[folder] = next++;
        stack.push_back(folder);
        onStack.insert(folder);
        if (auto found = edges.find(folder); found != edges.end()) {
            for (const auto& [target, example] : found->second) {
                if (!index.count(target)) {
                    visit(target);
                    low[folder] = std::min(low[folder], low[target]);
                } else if (onStack.count(target)) {
                    low[folder] = std::min(low[folder], index[target]);
                }
            }
        }
        if (low[folder] != index[folder])
            return;
        std::vector<std::string> component;
        std::string member;
        do {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            component.push_back(member);
        } while (member != folder);
        if (component.size() > 1)
            components.push_back(component);
    };
    for (const auto& [folder, targets] : edges)
        if (!index.count(folder))
            visit(folder);

    for (const std::vector<std::string>& component : components) {
        const std::set<std::string> members(component.begin(), component.end());
        const std::string start = *members.begin();
        // Breadth first from start, inside the component, back to start.
        std::map<std::string, std::string> cameFrom;
        std::queue<std::string> queue;
        queue.push(start);
        std::string last;
        while (!queue.empty() && last.empty()) {
            const std::string folder = queue.front();
            queue.pop();
            for (const auto& [target, example] : edges.at(folder)) {
                if (!members.count(target))
                    continue;
                if (target == start) {
                    last = folder;
                    break;
                }
                if (!cameFrom.count(target)) {
                    cameFrom[target] = folder;
                    queue.push(target);
                }
            }
        }
        std::vector<std::string> circle{start};
        for (std::string folder = last; folder != start; folder = cameFrom.at(folder))
            circle.insert(circle.begin() + 1, folder);
        circle.push_back(start);
        std::string line = "folders include each other:";
        for (std::size_t i = 0; i < circle.size(); ++i)
            line += (i == 0 ? " " : " -> ") + circle[i];
        for (std::size_t i = 0; i + 1 < circle.size(); ++i)
            line += "; " + edges.at(circle[i]).at(circle[i + 1]);
        out.push_back(line);
    }
}

} // namespace SourceLayers
