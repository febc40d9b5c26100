#include "level/ColladaWriter.h"

#include "level/TileShapes.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <locale>
#include <sstream>

namespace velmora {

namespace {

// Rounding noise such as cos(90 degrees) = -4.4e-8 is written as 0, so the
// generated files read cleanly and come out the same on every machine.
float tidy(float value) { return std::abs(value) < 1e-6f ? 0.0f : value; }

class Writer {
public:
    explicit Writer(const TileDescription& description) : description_(description) {
        out_.imbue(std::locale::classic());
        out_.precision(9);
    }

    std::string write() {
        out_ << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
             << "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" "
                "version=\"1.4.1\">\n"
             << "  <asset>\n"
             << "    <contributor><authoring_tool>make_level</authoring_tool></contributor>\n"
             << "    <created>2026-01-01T00:00:00</created>\n"
             << "    <modified>2026-01-01T00:00:00</modified>\n"
             << "    <unit name=\"meter\" meter=\"1\"/>\n"
             << "    <up_axis>Z_UP</up_axis>\n"
             << "  </asset>\n";
        writeEffects();
        writeMaterials();
        out_ << "  <library_geometries>\n";
        for (const TileNode& node : description_.nodes) writeGeometries(node);
        out_ << "  </library_geometries>\n"
             << "  <library_visual_scenes>\n"
             << "    <visual_scene id=\"Scene\" name=\"Scene\">\n";
        geometryNumber_ = 0;
        for (const TileNode& node : description_.nodes) writeNode(node, 3);
        out_ << "    </visual_scene>\n"
             << "  </library_visual_scenes>\n"
             << "  <scene><instance_visual_scene url=\"#Scene\"/></scene>\n"
             << "</COLLADA>\n";
        return out_.str();
    }

private:
    void writeEffects() {
        out_ << "  <library_effects>\n";
        for (const TileMaterial& material : description_.materials) {
            const std::string id = colladaMaterialId(description_, material.name);
            out_ << "    <effect id=\"" << id << "-effect\"><profile_COMMON>"
                 << "<technique sid=\"common\"><phong>"
                 << "<diffuse><color sid=\"diffuse\">0.8 0.8 0.8 1</color></diffuse>"
                 << "<transparent opaque=\"A_ONE\"><color>1 1 1 1</color></transparent>"
                 << "<transparency><float sid=\"transparency\">" << material.opacity
                 << "</float></transparency>"
                 << "</phong></technique></profile_COMMON></effect>\n";
        }
        out_ << "  </library_effects>\n";
    }

    void writeMaterials() {
        out_ << "  <library_materials>\n";
        for (const TileMaterial& material : description_.materials) {
            const std::string id = colladaMaterialId(description_, material.name);
            out_ << "    <material id=\"" << id << "\" name=\"" << id
                 << "\"><instance_effect url=\"#" << id << "-effect\"/></material>\n";
        }
        out_ << "  </library_materials>\n";
    }

    template <typename Vec, int N>
    void writeSource(const std::string& id, const std::vector<Vec>& values,
                     const char* (&params)[N]) {
        out_ << "        <source id=\"" << id << "\"><float_array id=\"" << id
             << "-array\" count=\"" << values.size() * N << "\">";
        for (const Vec& value : values) {
            for (int i = 0; i < N; ++i) out_ << ' ' << tidy(value[i]);
        }
        out_ << "</float_array><technique_common><accessor source=\"#" << id
             << "-array\" count=\"" << values.size() << "\" stride=\"" << N << "\">";
        for (const char* param : params) out_ << "<param name=\"" << param << "\" type=\"float\"/>";
        out_ << "</accessor></technique_common></source>\n";
    }

    void writeGeometries(const TileNode& node) {
        if (node.shape != TileShape::Group) {
            const ShapeMesh mesh = buildShapeMesh(node);
            const std::string id = "geometry-" + std::to_string(++geometryNumber_);
            static const char* xyz[3] = {"X", "Y", "Z"};
            static const char* st[2] = {"S", "T"};
            out_ << "    <geometry id=\"" << id << "\" name=\"" << id << "\"><mesh>\n";
            writeSource(id + "-positions", mesh.positions, xyz);
            writeSource(id + "-normals", mesh.normals, xyz);
            writeSource(id + "-uvs", mesh.texCoords, st);
            out_ << "        <vertices id=\"" << id << "-vertices\"><input semantic=\"POSITION\" "
                 << "source=\"#" << id << "-positions\"/></vertices>\n"
                 << "        <triangles material=\"surface\" count=\"" << mesh.indices.size() / 3
                 << "\"><input semantic=\"VERTEX\" source=\"#" << id
                 << "-vertices\" offset=\"0\"/><input semantic=\"NORMAL\" source=\"#" << id
                 << "-normals\" offset=\"0\"/><input semantic=\"TEXCOORD\" source=\"#" << id
                 << "-uvs\" offset=\"0\" set=\"0\"/><p>";
            for (std::uint32_t index : mesh.indices) out_ << ' ' << index;
            out_ << "</p></triangles>\n"
                 << "    </mesh></geometry>\n";
        }
        for (const TileNode& child : node.children) writeGeometries(child);
    }

    void writeNode(const TileNode& node, int depth) {
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        out_ << indent << "<node id=\"" << node.name << "\" name=\"" << node.name
             << "\" type=\"NODE\">\n"
             << indent << "  <matrix sid=\"transform\">";
        const glm::mat4 matrix = tileNodeMatrix(node);
        // Collada lists the matrix row by row; GLM stores it column by column.
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) out_ << ' ' << tidy(matrix[column][row]);
        }
        out_ << "</matrix>\n";
        if (node.shape != TileShape::Group) {
            const std::string id = "geometry-" + std::to_string(++geometryNumber_);
            out_ << indent << "  <instance_geometry url=\"#" << id << "\"><bind_material>"
                 << "<technique_common><instance_material symbol=\"surface\" target=\"#"
                 << colladaMaterialId(description_, node.material)
                 << "\"/></technique_common></bind_material></instance_geometry>\n";
        }
        for (const TileNode& child : node.children) writeNode(child, depth + 1);
        out_ << indent << "</node>\n";
    }

    const TileDescription& description_;
    std::ostringstream out_;
    int geometryNumber_ = 0;
};

}  // namespace

std::string colladaMaterialId(const TileDescription& description, const std::string& material) {
    for (std::size_t i = 0; i < description.materials.size(); ++i) {
        if (description.materials[i].name == material) {
            char number[8];
            std::snprintf(number, sizeof number, "%02u", static_cast<unsigned>(i % 100));
            return "m" + std::string(number) + "_" + material;
        }
    }
    return "m99_unknown";
}

std::string writeCollada(const TileDescription& description) {
    return Writer(description).write();
}

bool writeColladaFile(const TileDescription& description, const std::string& path,
                      std::string& error) {
    std::ofstream file(path, std::ios::binary);
    file << writeCollada(description);
    file.close();
    if (!file) {
        error = "can't write " + path;
        return false;
    }
    return true;
}

}  // namespace velmora
