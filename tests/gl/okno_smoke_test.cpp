// The window test harness itself: a real SDL2 window with an OpenGL context
// in the test X server, cleared to a colour that is read back.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <GL/gl.h>

#include <array>

TEST(ОкноСOpenGL, ОчищенноеОкноЧитаетсяОбратноТемЖеЦветом) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* окно = SDL_CreateWindow("проверка", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 64, 48,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(окно, nullptr) << SDL_GetError();
    SDL_GLContext контекст = SDL_GL_CreateContext(окно);
    ASSERT_NE(контекст, nullptr) << SDL_GetError();

    glViewport(0, 0, 64, 48);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();

    std::array<unsigned char, 4> пиксель{};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, пиксель.data());
    EXPECT_NEAR(пиксель[0], 51, 1);
    EXPECT_NEAR(пиксель[1], 102, 1);
    EXPECT_NEAR(пиксель[2], 153, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    SDL_GL_DeleteContext(контекст);
    SDL_DestroyWindow(окно);
    SDL_Quit();
}
