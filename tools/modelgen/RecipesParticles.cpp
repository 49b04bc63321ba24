#include "tools/modelgen/Recipes.h"

namespace ModelGen {

void AddParticleRecipes(RecipeBook&) {}

} // namespace ModelGen
