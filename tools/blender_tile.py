# Builds a small tile in Blender with every role the game knows and exports it
# as Collada with the exporter options the README names. Headless:
#
#   blender -b --factory-startup --python tools/blender_tile.py -- Objects/examples/blender/Tile1.dae
#
# The file is named Tile1.dae so that the game and build/check_level give it
# Tile1's offset: it takes the place of the first tile, the spheres start on
# its floor, and tools/level/blender_route.txt plays it to the goal.
#
# It builds what an author does by hand, including the things that used to go
# wrong: materials named so the glass sorts first, a floor plane whose scale
# is applied, spikes made with an Array modifier, nodes with no material.
#
# Layout (tile coordinates, z up, metres; world = (x, z, -22 - y)):
#   floor 12 x 16 m from (-6, -2) to (6, 14), top at z 0
#   south room: the starts, the switch (opens DoorX for good), a glass screen
#   a cross wall at y 8 with DoorX in a 3 m gap
#   north room: the mill (two arms) to the west, spikes to the east, the goal

import math
import sys

import bmesh
import bpy

out_path = sys.argv[sys.argv.index("--") + 1] if "--" in sys.argv else "Tile1.dae"

# An empty scene: the factory start-up holds a cube, a camera and a light.
for obj in list(bpy.data.objects):
    bpy.data.objects.remove(obj, do_unlink=True)


def material(name, colour, alpha=1.0):
    mat = bpy.data.materials.new(name)
    mat.use_nodes = True
    bsdf = mat.node_tree.nodes["Principled BSDF"]
    bsdf.inputs["Base Color"].default_value = (*colour, 1.0)
    # The game reads a material's opacity from the Principled BSDF's Alpha.
    bsdf.inputs["Alpha"].default_value = alpha
    if alpha < 1.0:
        mat.blend_method = "BLEND"
    return mat


# Named as an author would: "Glass" sorts before the others.
glass = material("Glass", (0.6, 0.8, 1.0), alpha=0.4)
stone = material("Stone", (0.7, 0.7, 0.7))
wall = material("Wall", (0.8, 0.7, 0.6))


def name_object(obj, name):
    obj.name = name
    obj.data.name = name + "-mesh"
    return obj


def cube(name, location, scale, mat=None, parent=None):
    bpy.ops.mesh.primitive_cube_add(size=2, location=location)
    obj = name_object(bpy.context.active_object, name)
    obj.scale = scale
    if mat is not None:
        obj.data.materials.append(mat)
    if parent is not None:
        obj.parent = parent
    return obj


def mesh_object(name, vertices, faces, location, scale=(1, 1, 1)):
    mesh = bpy.data.meshes.new(name + "-mesh")
    mesh.from_pydata(vertices, [], faces)
    mesh.update()
    obj = bpy.data.objects.new(name, mesh)
    bpy.context.scene.collection.objects.link(obj)
    obj.location = location
    obj.scale = scale
    return obj


def pad(name, location, scale):
    # A switch pad: 1 unit out each side at the bottom, sloping in to 0.8 at
    # the top, one sixth of the z scale high, so a sphere rolls onto it while
    # the trigger volume (the node scale) reaches well above it.
    top = 1.0 / 6.0
    vertices = [(-1, -1, 0), (1, -1, 0), (1, 1, 0), (-1, 1, 0),
                (-0.8, -0.8, top), (0.8, -0.8, top), (0.8, 0.8, top), (-0.8, 0.8, top)]
    faces = [(3, 2, 1, 0), (4, 5, 6, 7), (0, 1, 5, 4), (1, 2, 6, 5), (2, 3, 7, 6), (3, 0, 4, 7)]
    return mesh_object(name, vertices, faces, location, scale)


# The floor: a 2 m plane scaled to 12 x 16 m, the scale then applied
# (Ctrl+A > Scale), so the node's scale is 1 and its vertices span the floor.
bpy.ops.mesh.primitive_plane_add(size=2, location=(0, 6, 0))
floor = name_object(bpy.context.active_object, "floor__texture__stone_png__")
floor.scale = (6, 8, 1)
bpy.ops.object.transform_apply(location=False, rotation=False, scale=True)
floor.data.materials.append(stone)
for loop in floor.data.uv_layers.active.data:  # one texture repeat a metre
    loop.uv = (loop.uv[0] * 12, loop.uv[1] * 16)

# Walls round the floor and the cross wall with its 3 m gap.
cube("wall_west__texture__wall_png__", (-6.1, 6, 0.75), (0.1, 8.2, 0.75), wall)
cube("wall_east__texture__wall_png__", (6.1, 6, 0.75), (0.1, 8.2, 0.75), wall)
cube("wall_south__texture__wall_png__", (0, -2.1, 0.75), (6.2, 0.1, 0.75), wall)
cube("wall_north__texture__wall_png__", (0, 14.1, 0.75), (6.2, 0.1, 0.75), wall)
cube("wall_cross_west__texture__wall_png__", (-3.75, 8, 0.75), (2.25, 0.1, 0.75), wall)
cube("wall_cross_east__texture__wall_png__", (3.75, 8, 0.75), (2.25, 0.1, 0.75), wall)

# The door in the gap (no material) and the switch that opens it for good.
cube("DoorX__steady__yes__", (0, 8, 0.75), (1.5, 0.1, 0.75))
pad("switch_trigger__open__DoorX__", (-3, 5, 0), (0.8, 0.8, 0.6))

# A glass screen in the south room, clear of the way to the door.
cube("glass_screen", (3.5, 5, 0.75), (1.5, 0.05, 0.75), glass)

# Spikes: one pyramid in the south-west ninth of the unit square, repeated
# three by three by two Array modifiers; exported with modifiers applied,
# the nine pyramids fill the reset volume's 2 x 2 m.
third = 2.0 / 3.0
spikes = mesh_object(
    "Stacheln_trigger__reset__yes__",
    [(-1, -1, 0), (-1 + third, -1, 0), (-1 + third, -1 + third, 0), (-1, -1 + third, 0),
     (-1 + third / 2, -1 + third / 2, 1)],
    [(3, 2, 1, 0), (0, 1, 4), (1, 2, 4), (2, 3, 4), (3, 0, 4)],
    (4, 11, 0), (1, 1, 0.4))
for axis in range(2):
    array = spikes.modifiers.new("Array" + "XY"[axis], "ARRAY")
    array.count = 3
    array.relative_offset_displace = (1, 0, 0) if axis == 0 else (0, 1, 0)

# The mill: a hub turned 90 degrees about x so its own y axis points up (the
# game turns it about that axis), and two arms centred on the hub.
bpy.ops.mesh.primitive_cube_add(size=2, location=(-3.5, 11, 0.8))
mill = name_object(bpy.context.active_object, "mill")
mill.scale = (0.3, 0.8, 0.3)
bpy.ops.object.transform_apply(location=False, rotation=False, scale=True)
mill.rotation_euler = (math.radians(90), 0, 0)
for name, extent in (("mill_arm_a", (1.8, 0.3, 0.12)), ("mill_arm_b", (0.12, 0.3, 1.8))):
    bpy.ops.mesh.primitive_cube_add(size=2, location=(0, 0, 0))
    arm = name_object(bpy.context.active_object, name)
    arm.scale = extent
    bpy.ops.object.transform_apply(location=False, rotation=False, scale=True)
    arm.parent = mill  # at the hub's origin, in the hub's own axes

# The goal, reachable by either sphere.
pad("goal_trigger__win__yes__", (0, 12, 0), (1, 1, 0.6))

bpy.context.view_layer.update()
bpy.ops.wm.collada_export(
    filepath=out_path,
    apply_modifiers=True,
    export_mesh_type_selection="view",
    selected=False,
    include_children=False,
    include_animations=False,
    active_uv_only=True,
    use_texture_copies=False,
    triangulate=True,
    export_object_transformation_type_selection="matrix",
    export_global_forward_selection="Y",
    export_global_up_selection="Z",
    apply_global_orientation=False,
)

# Say in the file who wrote it and how to write it again.
with open(out_path, encoding="utf-8") as f:
    text = f.read()
declaration, rest = text.split("\n", 1)
note = ("<!-- Written by Blender %s and its Collada exporter from tools/blender_tile.py:\n"
        "     blender -b --factory-startup --python tools/blender_tile.py -- %s -->\n"
        % (bpy.app.version_string, out_path))
with open(out_path, "w", encoding="utf-8") as f:
    f.write(declaration + "\n" + note + rest)
print("wrote", out_path)
