// Resource description files: groups, loops with their counters, language
// marks, models and materials with every attribute the keeper reads.
#include "fuzz/seeds/Seeds.h"

TANGROVE_FUZZ_SEEDS(resource_file)
{
    seeds.Add("groups.xml",
              "<?xml version=\"1.0\"?>\n"
              "<resources>\n"
              "  <!-- the models of one level -->\n"
              "  <level>\n"
              "    <loop counter=\"j\" start=\"0\" count=\"2\">\n"
              "      <loop start=\"1\" count=\"3\">\n"
              "        <model name=\"stone%i2%_%j%\" file_name=\"stone_%i%.mlf\" color_verticies=\"1\"\n"
              "               animation_speed=\"25\"/>\n"
              "      </loop>\n"
              "    </loop>\n"
              "    <model name=\"tree\" language=\"en\" file_name=\"tree.mlf\"/>\n"
              "    <model name=\"bush\" language=\"ge\"/>\n"
              "  </level>\n"
              "  <model name=\"top\" file_name=\"box.mlf\"/>\n"
              "</resources>\n");
    seeds.Add("materials.xml",
              "<resources>\n"
              "  <shader name=\"sky\" diffuse_file_name=\"sky.jpg\" opacity_file_name=\"32bit\" clamp=\"0\"/>\n"
              "  <shader name=\"water\" diffuse_file_name=\"water.tga\" opacity_file_name=\"water_a.tga\"\n"
              "          animation_type=\"net\" net_size=\"4, 2\" frame_count=\"8\" animation_speed=\"12.5\"/>\n"
              "  <shader name=\"fire%i%\" diffuse_file_name=\"fire%i3%.tga\" animation_type=\"diffuse_and_opacity\"\n"
              "          frame_count=\"3\"/>\n"
              "  <particles name=\"unknown kind\"/>\n"
              "</resources>\n");
    seeds.Add("loops.xml", "<loop counter=\"n\" start=\"-2\" count=\"2\"><g><model name=\"m%n%\"/></g></loop>");
}
