// Determinant, transpose and inverse of small dense row-major matrices.
#include <cmath>
#include <utility>
#include <vector>

#include "gonion/gonion.h"

namespace {

double element(const double* m, int32_t width, int32_t i, int32_t j) {
    return m[static_cast<std::size_t>(i) * static_cast<std::size_t>(width) +
             static_cast<std::size_t>(j)];
}

// Rule of Sarrus: the three wrapped diagonals minus the three wrapped anti-diagonals.
double sarrus(const double* m) {
    double diagonals = 0.0;
    double antiDiagonals = 0.0;
    for (int32_t k = 0; k < 3; ++k) {
        double down = 1.0;
        double up = 1.0;
        for (int32_t i = 0; i < 3; ++i) {
            down *= element(m, 3, i, (k + i) % 3);
            up *= element(m, 3, i, (k + 3 - i) % 3);
        }
        diagonals += down;
        antiDiagonals += up;
    }
    return diagonals - antiDiagonals;
}

// Gaussian elimination with partial pivoting on a copy, for orders 4 and above.
double eliminate(const double* source, int32_t n) {
    const std::size_t un = static_cast<std::size_t>(n);
    std::vector<double> a(source, source + un * un);
    double determinant = 1.0;
    for (std::size_t col = 0; col < un; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < un; ++row) {
            if (std::fabs(a[row * un + col]) > std::fabs(a[pivot * un + col])) {
                pivot = row;
            }
        }
        if (a[pivot * un + col] == 0.0) {
            return 0.0;
        }
        if (pivot != col) {
            for (std::size_t j = 0; j < un; ++j) {
                std::swap(a[pivot * un + j], a[col * un + j]);
            }
            determinant = -determinant;
        }
        const double p = a[col * un + col];
        determinant *= p;
        for (std::size_t row = col + 1; row < un; ++row) {
            const double factor = a[row * un + col] / p;
            for (std::size_t j = col; j < un; ++j) {
                a[row * un + j] -= factor * a[col * un + j];
            }
        }
    }
    return determinant;
}

double determinant(const double* m, int32_t n) {
    switch (n) {
        case 1:
            return m[0];
        case 2:
            return m[0] * m[3] - m[1] * m[2];
        case 3:
            return sarrus(m);
        default:
            return eliminate(m, n);
    }
}

void transposeSquare(double* m, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            std::swap(m[static_cast<std::size_t>(i) * n + j],
                      m[static_cast<std::size_t>(j) * n + i]);
        }
    }
}

// Copies the matrix without row skipRow and column skipColumn.
void minor(const double* m, int32_t n, int32_t skipRow, int32_t skipColumn,
           std::vector<double>& out) {
    std::size_t k = 0;
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = 0; j < n; ++j) {
            if (i != skipRow && j != skipColumn) {
                out[k++] = element(m, n, i, j);
            }
        }
    }
}

}  // namespace

extern "C" {

GONION_API double zoGetDeterminant(const double* matrix, int32_t order) {
    if (order < 1 || matrix == nullptr) {
        return 0.0;
    }
    return determinant(matrix, order);
}

GONION_API void zoGetTranspose(const double* source, double* destination, int32_t rows,
                               int32_t columns) {
    if (rows < 1 || columns < 1 || source == nullptr || destination == nullptr) {
        return;
    }
    for (int32_t i = 0; i < rows; ++i) {
        for (int32_t j = 0; j < columns; ++j) {
            destination[static_cast<std::size_t>(j) * rows + i] = element(source, columns, i, j);
        }
    }
}

GONION_API void zoGetTransposeSquare(double* matrix, int32_t order) {
    if (order < 1 || matrix == nullptr) {
        return;
    }
    transposeSquare(matrix, order);
}

// Adjugate over the given determinant. The adjugate of an order-1 matrix is [1], so its
// inverse is the reciprocal of the determinant (the element itself).
GONION_API void zoGetInverseMatrix(const double* source, double* destination, int32_t order,
                                   double determinantOfSource) {
    if (order < 1 || source == nullptr || destination == nullptr) {
        return;
    }
    if (order == 1) {
        destination[0] = 1.0 / determinantOfSource;
        return;
    }
    const std::size_t n = static_cast<std::size_t>(order);
    // A copy first, so that the destination may be the source itself.
    const std::vector<double> work(source, source + n * n);
    std::vector<double> minorMatrix((n - 1) * (n - 1));
    for (int32_t i = 0; i < order; ++i) {
        for (int32_t j = 0; j < order; ++j) {
            minor(work.data(), order, i, j, minorMatrix);
            double cofactor = determinant(minorMatrix.data(), order - 1);
            if ((i + j) % 2 != 0) {
                cofactor = -cofactor;
            }
            destination[static_cast<std::size_t>(i) * n + static_cast<std::size_t>(j)] =
                cofactor / determinantOfSource;
        }
    }
    transposeSquare(destination, order);
}

}  // extern "C"
