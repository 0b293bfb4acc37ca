#include "scene/scene.h"

#include "platform/gl.h"

namespace {

GLuint UploadArray(std::vector<float>& values) {
    GLuint buffer = 0;
    qglGenBuffersARB(1, &buffer);
    qglBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
    qglBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(values.size() * sizeof(float)),
                     values.empty() ? nullptr : values.data(), GL_STATIC_DRAW_ARB);
    std::vector<float>().swap(values);
    return buffer;
}

void DeleteBuffer(uint32_t& buffer) {
    if (buffer != 0 && qglDeleteBuffersARB) {
        const GLuint name = buffer;
        qglDeleteBuffersARB(1, &name);
    }
    buffer = 0;
}

}  // namespace

void Scene::Clear() {
    ++revision;
    transparentList.clear();
    path.clear();
    pathHash = 0;
    headerCounts = SceneHeaderCounts();

    for (Mesh& mesh : meshes) {
        DeleteBuffer(mesh.positionBuffer);
        DeleteBuffer(mesh.normalBuffer);
        for (UvChannel& channel : mesh.uvChannels)
            DeleteBuffer(channel.buffer);
    }
    // Records own their arrays, names, maps, polylines and primitive objects.
    meshes.clear();
    shapes.clear();
    primitives.clear();
    lights.clear();
    materials.clear();
}

void Scene::BuildTransparentList() {
    transparentList.clear();
    for (size_t i = 0; i < meshes.size(); ++i) {
        Mesh& mesh = meshes[i];
        const bool known = mesh.materialIndex < materials.size();
        if (!known || materials[mesh.materialIndex].mapSlot[MapSlotOpacity] == kNoMap) {
            mesh.transparent = 0;
            continue;
        }
        mesh.transparent = 1;
        const float key = (mesh.boundingBox.a.z + mesh.boundingBox.b.z) * 0.5f;
        transparentList.push_back({key, static_cast<uint32_t>(i)});
    }
    // Stable insertion sort: an entry moves only in front of strictly greater keys.
    for (size_t i = 1; i < transparentList.size(); ++i) {
        const TransparentEntry entry = transparentList[i];
        size_t j = i;
        while (j > 0 && transparentList[j - 1].key > entry.key) {
            transparentList[j] = transparentList[j - 1];
            --j;
        }
        transparentList[j] = entry;
    }
}

void Scene::UploadBuffers() {
    if (!qglGenBuffersARB || !qglBindBufferARB || !qglBufferDataARB) {
        // No buffer objects on this driver: the meshes stay in client memory
        // and are drawn from there.
        useBufferObjects = false;
        return;
    }
    for (Mesh& mesh : meshes) {
        if (mesh.positionBuffer != 0)
            continue;  // uploaded by an earlier load into this scene
        mesh.positionBuffer = UploadArray(mesh.positions);
        mesh.normalBuffer = UploadArray(mesh.normals);
        for (UvChannel& channel : mesh.uvChannels)
            channel.buffer = UploadArray(channel.coordinates);
    }
    // Client-array drawing must not find a buffer still bound.
    qglBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void Scene::AdvanceScrolling(double frameTime) {
    for (Material& material : materials) {
        if (material.scrollAxis != 0)
            material.scrollOffset =
                static_cast<float>(material.scrollOffset + material.scrollSpeed * frameTime);
    }
}
