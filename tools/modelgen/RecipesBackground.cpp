#include "tools/modelgen/Recipes.h"

namespace ModelGen {

void AddBackgroundRecipes(RecipeBook&) {}

} // namespace ModelGen
