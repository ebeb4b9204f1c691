#include "apoio.h"
#include "tovik2d2_interno.h"
#include <gtest/gtest.h>
TEST(Ciclo, inicia) { ASSERT_TRUE(IniciaGLSilencioso()); EXPECT_EQ(render, 1); EncerraSilencioso(); }
