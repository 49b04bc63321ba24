#pragma once
// The tables in data/models: one line per model or particle system of a
// screen, giving its name, its box in GUI units and the recipe that draws it
// with the recipe's options.
//
//   folder ui/menus/models/controls          # where the next entries go
//   model button_big 0 0 150 40 art=button frames=4
//   particles cursor_click art=sparkle description=data/particles/cursor_click.txt
//
// "#" starts a comment. Options are name=value words; a value holds no
// blanks.
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ModelGen {

class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Box {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float Width() const { return x1 - x0; }
    float Height() const { return y1 - y0; }
};

struct Entry {
    enum class Kind { Model, Particles };
    Kind kind = Kind::Model;
    std::string folder;  // data-relative, "/" separated, lower case
    std::string name;
    Box box;
    std::map<std::string, std::string> options;
    int line = 0;

    bool Has(const std::string& key) const { return options.count(key) != 0; }
    // The option's value; throws TableError when it is missing and no
    // fallback is given, or when a number does not parse.
    std::string Text(const std::string& key) const;
    std::string Text(const std::string& key, const std::string& fallback) const;
    float Number(const std::string& key, float fallback) const;
    int Integer(const std::string& key, int fallback) const;
    // "where: message" for errors about this entry.
    std::string Where() const;
};

// Throws TableError ("line N: ...") for a line it cannot read.
std::vector<Entry> ParseTable(std::string_view text);

} // namespace ModelGen
