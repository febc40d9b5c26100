#include <gtest/gtest.h>

#include <GL/glew.h>

#include <filesystem>
#include <fstream>

#include "app/shell/Game.h"
#include "app/settings/SettingsFile.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "render/ShaderProgram.h"
#include "screen/ScreenQuad.h"
#include "screen/TextRenderer.h"
#include "tests/gl/GlContext.h"
#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"

using namespace velmora;

namespace {

void expectColourTextureSize(GLuint texture, int width, int height) {
    GLint w = 0;
    GLint h = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
}

}  // namespace

TEST(Startup, BuildsTargetsAtTheScreenSizeAndTheBlurProgramBeforeItsQuad) {
    app::ShellState shell;
    shell.screenWidth = test::contextWidth();
    shell.screenHeight = test::contextHeight();
    testing::internal::CaptureStdout();
    app::initialize(shell);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("Time for creation: "), std::string::npos);
    // The registry holds both worlds, and the renderer dresses the main one.
    ASSERT_NE(shell.objectRegistry, nullptr);
    EXPECT_NE(shell.objectRegistry->world(0), nullptr);
    EXPECT_NE(shell.objectRegistry->world(1), nullptr);
    ASSERT_NE(shell.renderLogic, nullptr);
    EXPECT_EQ(&shell.simulation->world(), shell.objectRegistry->mainWorld());
    ASSERT_NE(shell.textRenderer, nullptr);
    app::createRenderTargets(shell);

    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.14f);
    EXPECT_FLOAT_EQ(clear[1], 0.25f);
    EXPECT_FLOAT_EQ(clear[2], 0.43f);
    EXPECT_FLOAT_EQ(clear[3], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    ASSERT_NE(shell.sceneTarget.framebuffer, nullptr);
    expectColourTextureSize(shell.sceneTarget.colourTexture[0], shell.screenWidth, shell.screenHeight);
    expectColourTextureSize(shell.sceneTarget.colourTexture[1], shell.screenWidth, shell.screenHeight);

    ASSERT_NE(shell.blurProgram, nullptr);
    EXPECT_GE(shell.blurUniforms.renderedTexture, 0);
    EXPECT_GE(shell.blurUniforms.uShift, 0);
    ASSERT_NE(shell.screenQuad, nullptr);
    EXPECT_EQ(shell.screenQuad->shaderProgram, shell.blurProgram);

    const GLuint blurProgramName = shell.blurProgram->program;
    app::shutdown(shell);
    EXPECT_EQ(shell.renderLogic, nullptr);
    EXPECT_EQ(shell.objectRegistry, nullptr);
    EXPECT_EQ(shell.blurProgram, nullptr);
    EXPECT_EQ(shell.textRenderer, nullptr);
    EXPECT_EQ(glIsProgram(blurProgramName), GL_FALSE);
}

// A data folder whose shadow shader does not compile: the world's third
// program fails. The start-up says so and returns, instead of ending the
// process, with what it had built released and the player's settings saved.
TEST(Startup, ABrokenShaderEndsTheStartWithTheSettingsSavedNotTheProcess) {
    namespace fs = std::filesystem;
    const fs::path root = fs::current_path();
    const fs::path data = fs::path(testing::TempDir()) / "broken-shader-data";
    fs::remove_all(data);
    fs::create_directories(data);
    fs::copy(root / "Shader", data / "Shader");
    for (const char* folder : {"Objects", "Textures"}) {
        fs::create_directory_symlink(root / folder, data / folder);
    }
    std::ofstream(data / "Shader" / "shadow.frag", std::ios::trunc)
        << "#version 150\nvoid main() { oops }\n";

    app::ShellState shell;
    shell.screenWidth = test::contextWidth();
    shell.screenHeight = test::contextHeight();
    const std::string settingsPath = (data / "settings.ini").string();
    shell.settingsFile = app::SettingsFile(settingsPath);
    shell.settings = shell.settingsFile.load();
    shell.settings.renderScale = 75;  // changed in the menu, not written yet
    fs::current_path(data);
    testing::internal::CaptureStdout();
    glDisable(GL_DEBUG_OUTPUT);  // the driver reports the failed compile as a GL error too
    const bool started = app::startWorld(shell);
    glEnable(GL_DEBUG_OUTPUT);
    const std::string printed = testing::internal::GetCapturedStdout();
    fs::current_path(root);

    EXPECT_FALSE(started);
    EXPECT_EQ(printed.rfind("Failed to compile shader\n", 0), 0u) << printed;
    EXPECT_EQ(shell.renderLogic, nullptr);
    EXPECT_EQ(shell.objectRegistry, nullptr);
    EXPECT_EQ(app::SettingsFile(settingsPath).load().renderScale, 75);
    fs::remove_all(data);
}
