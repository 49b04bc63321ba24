#include "tools/modelgen/Recipes.h"

namespace ModelGen {

const RecipeBook& Recipes() {
    static const RecipeBook book = [] {
        RecipeBook b;
        AddControlRecipes(b);
        AddWindowRecipes(b);
        AddBackgroundRecipes(b);
        AddGameRecipes(b);
        AddParticleRecipes(b);
        AddScreenRecipes(b);
        return b;
    }();
    return book;
}

} // namespace ModelGen
