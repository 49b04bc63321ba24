#include "tools/modelgen/Recipes.h"

namespace ModelGen {

void AddGameRecipes(RecipeBook&) {}

} // namespace ModelGen
