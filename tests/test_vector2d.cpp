// Vector arithmetic, its tolerance and indexing, the shared constants,
// clamping and the safe pixel conversion.
#include "MathUtil.h"
#include "Vector2D.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>

using math::Vector2D;

namespace {

// The exception text of an indexed access, or "" when none was thrown.
template <typename V> std::string textoDoIndice(V &v, long indice) {
  try {
    (void)v[indice];
  } catch (const std::out_of_range &e) {
    return e.what();
  }
  return "";
}

std::string escrito(const Vector2D &v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

const float NaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

TEST(Constantes, valoresETiposDeclarados) {
  static_assert(std::is_same<decltype(math::PI), const double>::value, "");
  static_assert(std::is_same<decltype(math::ONE_DEGREE), const double>::value,
                "");
  static_assert(std::is_same<decltype(math::E), const double>::value, "");
  static_assert(std::is_same<decltype(math::FLOAT_DELTA), const float>::value,
                "");
  static_assert(std::is_same<decltype(math::DOUBLE_DELTA), const float>::value,
                "");
  EXPECT_DOUBLE_EQ(math::PI, std::acos(-1.0));
  EXPECT_DOUBLE_EQ(math::ONE_DEGREE, 180 / std::acos(-1.0));
  EXPECT_DOUBLE_EQ(math::E, std::exp(1.0));
  EXPECT_EQ(math::FLOAT_DELTA, 1e-5f);
  EXPECT_EQ(math::DOUBLE_DELTA, 1e-14f);
}

TEST(Vector2D, construcaoEFabrica) {
  EXPECT_EQ(Vector2D().x, 0.0f);
  EXPECT_EQ(Vector2D().y, 0.0f);
  float xy[2] = {2.5f, -7};
  Vector2D deVetor(xy);
  EXPECT_EQ(deVetor.x, 2.5f);
  EXPECT_EQ(deVetor.y, -7.0f);

  Vector2D zero = Vector2D::newBySizeAngle(10, 0);
  EXPECT_EQ(zero.x, 10.0f);
  EXPECT_EQ(zero.y, 0.0f);
  // Positive angles turn towards +y: downwards on the game's screen.
  Vector2D baixo = Vector2D::newBySizeAngle(10, float(math::PI / 2));
  EXPECT_NEAR(baixo.x, 0.0f, 1e-5f);
  EXPECT_EQ(baixo.y, 10.0f);
}

TEST(Vector2D, tamanhoENormalizacao) {
  Vector2D v(3, 4);
  EXPECT_EQ(v.sizeSqr(), 25.0f);
  EXPECT_EQ(v.size(), 5.0f);
  Vector2D &r = v.normalize();
  EXPECT_EQ(&r, &v);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  v.resize(10);
  EXPECT_FLOAT_EQ(v.x, 6.0f);
  EXPECT_FLOAT_EQ(v.y, 8.0f);
  EXPECT_FLOAT_EQ(v.dot(Vector2D(1, 2)), 22.0f);
}

TEST(Vector2D, vetorNuloNaoGanhaDirecao) {
  Vector2D v;
  v.normalize();
  EXPECT_EQ(v.x, 0.0f);
  EXPECT_EQ(v.y, 0.0f);
  EXPECT_FALSE(std::isnan(v.x) || std::isnan(v.y));
  v.resize(5);
  EXPECT_EQ(v.x, 0.0f);
  EXPECT_EQ(v.y, 0.0f);
  EXPECT_EQ(v.angle(), 0.0f);
  // Tiny but not zero still has a direction.
  Vector2D pequeno(1e-3f, 0);
  pequeno.normalize();
  EXPECT_FLOAT_EQ(pequeno.x, 1.0f);
}

TEST(Vector2D, rotacaoEAngulos) {
  Vector2D v(1, 0);
  v.rotate(float(math::PI / 2));
  EXPECT_NEAR(v.x, 0.0f, 1e-6f);
  EXPECT_NEAR(v.y, 1.0f, 1e-6f);
  // Both components come from the old ones: (1, 1) turned by 90 degrees.
  Vector2D d(1, 1);
  d.rotate(float(math::PI / 2));
  EXPECT_NEAR(d.x, -1.0f, 1e-6f);
  EXPECT_NEAR(d.y, 1.0f, 1e-6f);
  EXPECT_FLOAT_EQ(Vector2D(0, 2).angle(), float(math::PI / 2));
  // Not wrapped: just across the -x axis the difference is nearly 2 pi.
  float rel = Vector2D(-1, 0.001f).relativeAngleBetween(Vector2D(-1, -0.001f));
  EXPECT_NEAR(rel, 2 * math::PI, 0.01);
  EXPECT_GT(rel, 6.0f);
}

TEST(Vector2D, operadoresAritmeticos) {
  Vector2D a(1, 2), b(3, -5);
  Vector2D soma = a + b, diferenca = a - b, oposto = -a;
  EXPECT_EQ(soma.x, 4.0f);
  EXPECT_EQ(soma.y, -3.0f);
  EXPECT_EQ(diferenca.x, -2.0f);
  EXPECT_EQ(diferenca.y, 7.0f);
  EXPECT_EQ(oposto.x, -1.0f);
  EXPECT_EQ(oposto.y, -2.0f);
  EXPECT_EQ((a * 3).y, 6.0f);
  EXPECT_EQ((3 * a).x, 3.0f);
  EXPECT_EQ((b / 2).y, -2.5f);
  EXPECT_EQ(a.x, 1.0f); // the operands are untouched
  EXPECT_EQ(b.y, -5.0f);

  Vector2D c(1, 1);
  (c += b) -= Vector2D(1, 1);
  EXPECT_EQ(c.x, 3.0f);
  EXPECT_EQ(c.y, -5.0f);
  (c *= 2) /= 4;
  EXPECT_EQ(c.x, 1.5f);
  EXPECT_EQ(c.y, -2.5f);
  c /= 0;
  EXPECT_TRUE(std::isinf(c.x) && c.x > 0);
  EXPECT_TRUE(std::isinf(c.y) && c.y < 0);
}

TEST(Vector2D, igualdadeComToleranciaAbsolutaInclusiva) {
  EXPECT_TRUE(Vector2D(0, 0) == Vector2D(0.00001f, 0));
  EXPECT_FALSE(Vector2D(0, 0) != Vector2D(0.00001f, 0));
  EXPECT_FALSE(Vector2D(0, 0) == Vector2D(0.00002f, 0));
  EXPECT_FALSE(Vector2D(0, 0) == Vector2D(0, 0.00002f));
  EXPECT_TRUE(Vector2D(0, 0) != Vector2D(0, 0.00002f));
  // The tolerance does not grow with magnitude: one float step apart.
  EXPECT_FALSE(Vector2D(1000000, 0) == Vector2D(1000000.0625f, 0));
  EXPECT_FALSE(Vector2D(NaN, 0) == Vector2D(NaN, 0));
  EXPECT_TRUE(math::equals(1, 1.5f, 0.5f));
  EXPECT_FALSE(math::equals(NaN, 1, 1e9f));
}

TEST(Vector2D, acessoIndexado) {
  Vector2D v(3, 4);
  const Vector2D &c = v;
  EXPECT_EQ(c[0], 3.0f);
  EXPECT_EQ(c[1], 4.0f);
  v[1] = 7;
  EXPECT_EQ(v.y, 7.0f);
  v[0] = -1;
  EXPECT_EQ(v.x, -1.0f);

  EXPECT_EQ(textoDoIndice(v, 2), "Index out of bounds: 2 size: 2");
  EXPECT_EQ(textoDoIndice(v, -1), "Index out of bounds: -1 size: 2");
  EXPECT_EQ(textoDoIndice(c, 2), "Index out of bounds: 2 size: 2");
  EXPECT_EQ(textoDoIndice(c, -1), "Index out of bounds: -1 size: 2");
  EXPECT_EQ(textoDoIndice(c, LONG_MIN),
            "Index out of bounds: " + std::to_string(LONG_MIN) + " size: 2");
  EXPECT_EQ(v.x, -1.0f);
  EXPECT_EQ(v.y, 7.0f);
}

TEST(Vector2D, setters) {
  Vector2D v(1, 2);
  EXPECT_EQ(&v.set(v), &v);
  EXPECT_EQ(v.x, 1.0f);
  EXPECT_EQ(v.y, 2.0f);
  v.set(Vector2D(5, 6));
  EXPECT_EQ(v.x, 5.0f);
  EXPECT_EQ(v.y, 6.0f);
  const float xy[2] = {-8, 9};
  v.set(xy).set(v);
  EXPECT_EQ(v.x, -8.0f);
  EXPECT_EQ(v.y, 9.0f);
  EXPECT_EQ(v.set(0.5f, 0.25f).y, 0.25f);
}

TEST(Vector2D, escritaEmFluxo) {
  EXPECT_EQ(escrito(Vector2D(100, 540)), "(100,540)");
  EXPECT_EQ(escrito(Vector2D(1.5f, -2)), "(1.5,-2)");
  std::ostringstream s;
  s.setf(std::ios::fixed);
  s.precision(1);
  s << Vector2D(1.25f, 3);
  EXPECT_EQ(s.str(), "(1.2,3.0)");
}

TEST(PadValue, limitaNoIntervalo) {
  float baixo = -3, alto = 12, dentro = 4;
  math::padValue(baixo, 0, 10);
  math::padValue(alto, 0, 10);
  math::padValue(dentro, 0, 10);
  EXPECT_EQ(baixo, 0.0f);
  EXPECT_EQ(alto, 10.0f);
  EXPECT_EQ(dentro, 4.0f);
  // min above max: max wins whatever the value.
  for (float v : {-5.0f, 5.0f, 50.0f}) {
    math::padValue(v, 10, 0);
    EXPECT_EQ(v, 0.0f);
  }
  float nan = NaN;
  math::padValue(nan, 0, 10);
  EXPECT_TRUE(std::isnan(nan));
}

TEST(TruncateToInt, truncaEmDirecaoAZero) {
  EXPECT_EQ(math::truncateToInt(1.9), 1);
  EXPECT_EQ(math::truncateToInt(-1.9), -1);
  EXPECT_EQ(math::truncateToInt(-129.9), -129);
  EXPECT_EQ(math::truncateToInt(-0.5), 0);
  EXPECT_EQ(math::truncateToInt(2147483647.9), INT_MAX);
  EXPECT_EQ(math::truncateToInt(-2147483648.9), INT_MIN);
}

TEST(TruncateToInt, valoresSemInteiroTemResultadoDefinido) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(math::truncateToInt(std::nan("")), 0);
  EXPECT_EQ(math::truncateToInt(inf), INT_MAX);
  EXPECT_EQ(math::truncateToInt(-inf), INT_MIN);
  EXPECT_EQ(math::truncateToInt(2147483648.0), INT_MAX);
  EXPECT_EQ(math::truncateToInt(-2147483649.0), INT_MIN);
  EXPECT_EQ(math::truncateToInt(1e30), INT_MAX);
  EXPECT_EQ(math::truncateToInt(-1e30), INT_MIN);
}
