// make_cloud_art OUT_DIR: generates the stored cloud picture (cloud.jpg, 271 x 167, tiles seamlessly)
// and the preview still (preview.jpg, 152 x 112) as baseline JPEG without chroma subsampling.
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int cloudWidth = 271;
constexpr int cloudHeight = 167;
constexpr int previewWidth = 152;
constexpr int previewHeight = 112;
// The colour the whole picture averages to: light grey with a touch of blue-green.
constexpr std::array<double, 3> targetMean = {204.0, 212.0, 212.0};

struct Rgb {
    double r, g, b;
};

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Gradient noise on a lattice of cellsX x cellsY cells laid over one picture: lattice indices wrap, so the
// noise repeats exactly with the picture and a tiled copy shows no seam. u, v run from 0 to 1 per picture.
double periodicNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed)
{
    const double x = u * cellsX;
    const double y = v * cellsY;
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    auto corner = [&](int dx, int dy) {
        const int ix = ((x0 + dx) % cellsX + cellsX) % cellsX;
        const int iy = ((y0 + dy) % cellsY + cellsY) % cellsY;
        const double angle = hash(static_cast<std::uint32_t>(ix), static_cast<std::uint32_t>(iy), seed) *
                             (2.0 * std::numbers::pi / 4294967296.0);
        return std::cos(angle) * (fx - dx) + std::sin(angle) * (fy - dy);
    };
    const double sx = fx * fx * fx * (fx * (fx * 6 - 15) + 10);
    const double sy = fy * fy * fy * (fy * (fy * 6 - 15) + 10);
    const double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
    const double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
    return (top + (bottom - top) * sy) * 1.4;
}

// Sum of octaves; the lowest has 3 x 2 cells (close to the picture's 271 : 167 shape), each next one twice
// as many cells in each direction.
double fractal(double u, double v, int octaves, double persistence, std::uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * periodicNoise(u, v, 3 << i, 2 << i, seed + static_cast<std::uint32_t>(i));
        norm += amplitude;
        amplitude *= persistence;
    }
    return sum / norm;
}

// Puffs: billowy noise (folded at zero) gives the rounded, cauliflower edges of cumulus tops.
double billows(double u, double v, std::uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int i = 1; i < 5; ++i) {
        sum += amplitude *
               (1.0 - 2.0 * std::fabs(periodicNoise(u, v, 3 << i, 2 << i, seed + 100 + static_cast<std::uint32_t>(i))));
        norm += amplitude;
        amplitude *= 0.55;
    }
    return sum / norm;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Cumulus heads seen from above: many round domes (placed with wrap-around, so the field tiles) whose tops
// merge into one surface, roughened by periodic noise, lit by a low sun from the upper left.
Picture makeClouds()
{
    constexpr std::uint32_t seed = 20240611u;
    Picture picture{cloudWidth, cloudHeight, std::vector<Rgb>(cloudWidth * cloudHeight)};
    std::vector<double> height(picture.pixels.size(), 0.0);
    auto index = [](int x, int y) {
        x = (x % cloudWidth + cloudWidth) % cloudWidth;
        y = (y % cloudHeight + cloudHeight) % cloudHeight;
        return static_cast<std::size_t>(y) * cloudWidth + x;
    };

    constexpr int domes = 170;
    for (int i = 0; i < domes; ++i) {
        const auto unit = [&](int k) {
            return hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(k), seed) / 4294967296.0;
        };
        const double cx = unit(0) * cloudWidth;
        const double cy = unit(1) * cloudHeight;
        const double radius = 7.0 + 17.0 * unit(2) * unit(2);
        const double peak = radius * (0.8 + 0.6 * unit(3));
        const int reach = static_cast<int>(std::ceil(radius));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const int x = static_cast<int>(std::floor(cx)) + dx;
                const int y = static_cast<int>(std::floor(cy)) + dy;
                const double ex = (x + 0.5 - cx) / radius;
                const double ey = (y + 0.5 - cy) / radius;
                const double r2 = ex * ex + ey * ey;
                if (r2 >= 1.0)
                    continue;
                double& h = height[index(x, y)];
                // Smooth union: where domes meet, their sum softens the crease a little.
                const double dome = peak * std::pow(1.0 - r2, 1.3);
                h = std::max(h, dome) + 0.15 * std::min(h, dome);
            }
    }
    for (int y = 0; y < cloudHeight; ++y)
        for (int x = 0; x < cloudWidth; ++x) {
            const double u = static_cast<double>(x) / cloudWidth;
            const double v = static_cast<double>(y) / cloudHeight;
            height[index(x, y)] += 5.0 * billows(u, v, seed) + 14.0 * fractal(u, v, 4, 0.5, seed + 7);
        }
    // A blurred copy tells crevices (below their surroundings) from heads (above them).
    std::vector<double> blurred(height.size());
    constexpr int blur = 6;
    for (int y = 0; y < cloudHeight; ++y)
        for (int x = 0; x < cloudWidth; ++x) {
            double sum = 0.0;
            for (int dy = -blur; dy <= blur; dy += 2)
                for (int dx = -blur; dx <= blur; dx += 2)
                    sum += height[index(x + dx, y + dy)];
            blurred[index(x, y)] = sum / ((blur + 1) * (blur + 1));
        }

    const Rgb sunlit = {253, 254, 254};
    const Rgb shade = {150, 166, 180};  // the grey-blue of a cloud's side turned from the sun
    const double lightX = -0.55, lightY = -0.55, lightZ = 0.63;
    for (int y = 0; y < cloudHeight; ++y)
        for (int x = 0; x < cloudWidth; ++x) {
            const double gx = (height[index(x + 1, y)] - height[index(x - 1, y)]) * 0.5;
            const double gy = (height[index(x, y + 1)] - height[index(x, y - 1)]) * 0.5;
            const double length = std::sqrt(gx * gx + gy * gy + 1.0);
            const double diffuse = std::max(0.0, (-gx * lightX - gy * lightY + lightZ) / length);
            const double crevice = smoothstep(-8.0, 4.0, height[index(x, y)] - blurred[index(x, y)]);
            const double light = std::clamp(0.15 + 0.95 * diffuse, 0.0, 1.0) * (0.55 + 0.45 * crevice);
            picture.pixels[index(x, y)] = mix(shade, sunlit, std::pow(light, 0.8));
        }
    // Cloud edges are never crisp: one small wrap-around blur softens the shading lines.
    const std::vector<Rgb> sharp = picture.pixels;
    for (int y = 0; y < cloudHeight; ++y)
        for (int x = 0; x < cloudWidth; ++x) {
            Rgb sum = {0, 0, 0};
            double weights = 0.0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const double w = (dx == 0 ? 2.0 : 1.0) * (dy == 0 ? 2.0 : 1.0);
                    const Rgb& p = sharp[index(x + dx, y + dy)];
                    sum = {sum.r + w * p.r, sum.g + w * p.g, sum.b + w * p.b};
                    weights += w;
                }
            picture.pixels[index(x, y)] = {sum.r / weights, sum.g / weights, sum.b / weights};
        }
    return picture;
}

// Shifts each channel so the picture averages to the target, keeping every value in range.
void matchMean(Picture& picture)
{
    for (int pass = 0; pass < 8; ++pass) {
        std::array<double, 3> mean = {0, 0, 0};
        for (const Rgb& p : picture.pixels) {
            mean[0] += p.r;
            mean[1] += p.g;
            mean[2] += p.b;
        }
        for (double& m : mean)
            m /= static_cast<double>(picture.pixels.size());
        for (Rgb& p : picture.pixels) {
            p.r = std::clamp(p.r + targetMean[0] - mean[0], 0.0, 255.0);
            p.g = std::clamp(p.g + targetMean[1] - mean[1], 0.0, 255.0);
            p.b = std::clamp(p.b + targetMean[2] - mean[2], 0.0, 255.0);
        }
    }
}

Rgb sampleWrapped(const Picture& picture, double s, double t)
{
    const double x = s * picture.width - 0.5;
    const double y = t * picture.height - 0.5;
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    auto texel = [&](int dx, int dy) {
        const int ix = ((x0 + dx) % picture.width + picture.width) % picture.width;
        const int iy = ((y0 + dy) % picture.height + picture.height) % picture.height;
        return picture.at(ix, iy);
    };
    return mix(mix(texel(0, 0), texel(1, 0), fx), mix(texel(0, 1), texel(1, 1), fx), fy);
}

// A still of the saver: the cloud floor and ceiling in the 35-degree perspective, tiled every 4 units,
// between the two black bars that cover the outer 10.35 % of the height.
Picture makePreview(const Picture& clouds)
{
    Picture picture{previewWidth, previewHeight, std::vector<Rgb>(previewWidth * previewHeight)};
    const double tanHalf = std::tan(17.5 * std::numbers::pi / 180.0);
    const double aspect = static_cast<double>(previewWidth) / previewHeight;
    const double barEdge = 0.25 / tanHalf;  // bar edge in normalised device coordinates
    Rgb mean = {0, 0, 0};
    for (const Rgb& p : clouds.pixels)
        mean = {mean.r + p.r, mean.g + p.g, mean.b + p.b};
    const double count = static_cast<double>(clouds.pixels.size());
    mean = {mean.r / count, mean.g / count, mean.b / count};

    constexpr int samples = 6;
    for (int py = 0; py < previewHeight; ++py)
        for (int px = 0; px < previewWidth; ++px) {
            Rgb sum = {0, 0, 0};
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const double nx = ((px + (sx + 0.5) / samples) / previewWidth) * 2.0 - 1.0;
                    const double ny = 1.0 - ((py + (sy + 0.5) / samples) / previewHeight) * 2.0;
                    Rgb colour = {0, 0, 0};
                    if (std::fabs(ny) < barEdge) {
                        const double dirX = nx * tanHalf * aspect;
                        const double dirY = ny * tanHalf;
                        // Floor below the horizon, ceiling above, both one unit from the eye.
                        const double distance = 1.0 / std::max(std::fabs(dirY), 1e-4);
                        const double worldX = dirX * distance;
                        const double worldZ = -distance;
                        colour = sampleWrapped(clouds, worldX / 4.0 + 0.37, worldZ / 4.0 + (dirY > 0 ? 0.61 : 0.0));
                        // Far away many copies fall into one pixel and blend into the average colour.
                        colour = mix(colour, mean, smoothstep(6.0, 60.0, distance));
                    }
                    sum = {sum.r + colour.r, sum.g + colour.g, sum.b + colour.b};
                }
            picture.at(px, py) = {sum.r / (samples * samples), sum.g / (samples * samples),
                                  sum.b / (samples * samples)};
        }
    return picture;
}

bool writeJpeg(const std::string& path, const Picture& picture)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(picture.pixels.size() * 3);
    for (const Rgb& p : picture.pixels)
        for (const double channel : {p.r, p.g, p.b})
            bytes.push_back(static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0))));
    // A quality above 90 makes the writer keep full-resolution colour (1x1 sampling in all components).
    return stbi_write_jpg(path.c_str(), picture.width, picture.height, 3, bytes.data(), 95) != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cloud_art OUT_DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    Picture clouds = makeClouds();
    matchMean(clouds);
    const Picture preview = makePreview(clouds);
    if (!writeJpeg(folder + "/cloud.jpg", clouds) || !writeJpeg(folder + "/preview.jpg", preview)) {
        std::fprintf(stderr, "make_cloud_art: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
