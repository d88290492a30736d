// A hidden SDL2 window with an OpenGL context for the window tests, made current
// for the test's lifetime, with helpers that read pipeline state back.
#pragma once

#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <GL/gl.h>

#include <array>

namespace test_gl {

// Pipeline state read back from the current OpenGL context.
struct ЧтениеGL {
    static std::array<float, 16> матрица(GLenum какая) {
        std::array<float, 16> m{};
        glGetFloatv(какая, m.data());
        return m;
    }

    static std::array<float, 4> свет(GLenum лампа, GLenum параметр) {
        std::array<float, 4> c{};
        glGetLightfv(лампа, параметр, c.data());
        return c;
    }

    static std::array<unsigned char, 4> пиксель(int x, int y) {
        glFinish();
        std::array<unsigned char, 4> p{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        return p;
    }
};

class КонтекстGL : public testing::Test, public ЧтениеGL {
protected:
    static constexpr int ШИРИНА = 64;
    static constexpr int ВЫСОТА = 48;

    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        окно_ = SDL_CreateWindow("проверка", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ШИРИНА, ВЫСОТА,
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(окно_, nullptr) << SDL_GetError();
        контекст_ = SDL_GL_CreateContext(окно_);
        ASSERT_NE(контекст_, nullptr) << SDL_GetError();
        glViewport(0, 0, ШИРИНА, ВЫСОТА);
    }

    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        if (контекст_ != nullptr) SDL_GL_DeleteContext(контекст_);
        if (окно_ != nullptr) SDL_DestroyWindow(окно_);
        SDL_Quit();
    }

private:
    SDL_Window* окно_ = nullptr;
    SDL_GLContext контекст_ = nullptr;
};

}  // namespace test_gl
