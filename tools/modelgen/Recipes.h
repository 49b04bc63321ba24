#pragma once
// The recipes a table names with art=...: each draws its entry's pictures
// and writes its model, material and pictures (or particle system).
#include <functional>
#include <map>
#include <string>

#include "tools/modelgen/Table.h"
#include "tools/modelgen/Writer.h"

namespace ModelGen {

using Recipe = std::function<void(const Entry&, Writer&)>;
using RecipeBook = std::map<std::string, Recipe>;

void AddControlRecipes(RecipeBook& book);
void AddWindowRecipes(RecipeBook& book);
void AddBackgroundRecipes(RecipeBook& book);
void AddGameRecipes(RecipeBook& book);
void AddParticleRecipes(RecipeBook& book);
void AddScreenRecipes(RecipeBook& book);

const RecipeBook& Recipes();

} // namespace ModelGen
