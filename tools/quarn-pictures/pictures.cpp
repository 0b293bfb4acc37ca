#include "pictures.h"

#include <filesystem>
#include <system_error>

#include "level_pictures.h"
#include "icons.h"
#include "menu_pictures.h"
#include "textures.h"

namespace fs = std::filesystem;

namespace {

template <Canvas (*Build)()>
bool Draw(const std::string&, Canvas& canvas) {
    canvas = Build();
    return true;
}

template <int Index>
bool DrawSign(const std::string& fontFile, Canvas& canvas) {
    return SignPicture(fontFile, Index, canvas);
}

template <int Size>
bool DrawIcon(const std::string&, Canvas& canvas) {
    canvas = AppIcon(Size);
    return true;
}

}  // namespace

const std::vector<PictureFile>& GamePictures() {
    static const std::vector<PictureFile> files = {
        {"Textures/quarn.png", PictureFormat::PngRgb, Draw<BallTexture>},
        {"Textures/rope.png", PictureFormat::PngRgb, Draw<RopeTexture>},
        {"Textures/rock.png", PictureFormat::PngRgb, Draw<RockTexture>},
        {"Textures/lava.png", PictureFormat::PngRgb, Draw<LavaTexture>},
        {"Textures/water.png", PictureFormat::PngRgb, Draw<WaterTexture>},
        {"Textures/moss.png", PictureFormat::PngRgb, Draw<MossTexture>},
        {"Textures/glass.png", PictureFormat::PngRgb, Draw<GlassTexture>},
        {"Textures/glass_alpha.png", PictureFormat::PngRgba, Draw<GlassAlphaTexture>},
        {"Textures/grid.png", PictureFormat::PngRgb, Draw<GridTexture>},
        {"Textures/metal.jpg", PictureFormat::Jpeg, Draw<MetalTexture>},
        {"Textures/brick.tga", PictureFormat::Tga, Draw<BrickTexture>},
        {"Textures/wood.bmp", PictureFormat::Bmp, Draw<WoodTexture>},
        {"Textures/crystal.dds", PictureFormat::DdsDxt1, Draw<CrystalTexture>},
        {"Textures/sky.jpg", PictureFormat::Jpeg, Draw<SkyTexture>},
        {"Textures/exit.png", PictureFormat::PngRgb, Draw<ExitTexture>},
        {"Textures/belt.png", PictureFormat::PngRgb, Draw<BeltTexture>},
        {"Textures/ice.png", PictureFormat::PngRgb, Draw<IceTexture>},
        {"Textures/basalt.png", PictureFormat::PngRgb, Draw<BasaltTexture>},
        {"Textures/hazard.png", PictureFormat::PngRgb, Draw<HazardTexture>},
        {"Menu/background.png", PictureFormat::PngRgba, Draw<MenuBackground>},
        {"Menu/MainMenu.png", PictureFormat::PngRgba, MainMenuSheet},
        {"Menu/GameMenu.png", PictureFormat::PngRgba, GameMenuSheet},
        {"Menu/cursor.png", PictureFormat::PngRgba, Draw<MenuCursor>},
        {"Menu/Credits.png", PictureFormat::PngRgba, CreditsPicture},
        {"Textures/sign_fire.png", PictureFormat::PngRgb, DrawSign<0>},
        {"Textures/sign_reel.png", PictureFormat::PngRgb, DrawSign<1>},
        {"Textures/sign_swing.png", PictureFormat::PngRgb, DrawSign<2>},
        {"Textures/sign_wrap.png", PictureFormat::PngRgb, DrawSign<3>},
        {"Textures/sign_letgo.png", PictureFormat::PngRgb, DrawSign<4>},
        {"Textures/sign_bumps.png", PictureFormat::PngRgb, DrawSign<5>},
        {"Textures/sign_lava.png", PictureFormat::PngRgb, DrawSign<6>},
        {"Textures/sign_routes.png", PictureFormat::PngRgb, DrawSign<7>},
        {"Textures/sign_magnet.png", PictureFormat::PngRgb, DrawSign<8>},
        {"Textures/sign_bhole.png", PictureFormat::PngRgb, DrawSign<9>},
    };
    return files;
}

const std::vector<PictureFile>& IconPictures() {
    static const std::vector<PictureFile> files = {
        {"Icons/16x16/quarn.png", PictureFormat::PngRgba, DrawIcon<16>},
        {"Icons/24x24/quarn.png", PictureFormat::PngRgba, DrawIcon<24>},
        {"Icons/32x32/quarn.png", PictureFormat::PngRgba, DrawIcon<32>},
        {"Icons/48x48/quarn.png", PictureFormat::PngRgba, DrawIcon<48>},
        {"Icons/64x64/quarn.png", PictureFormat::PngRgba, DrawIcon<64>},
        {"Icons/128x128/quarn.png", PictureFormat::PngRgba, DrawIcon<128>},
        {"Icons/256x256/quarn.png", PictureFormat::PngRgba, DrawIcon<256>},
    };
    return files;
}

bool WriteGamePictures(const std::string& folder, const std::string& fontFile, std::string& error) {
    std::vector<PictureFile> files = GamePictures();
    files.insert(files.end(), IconPictures().begin(), IconPictures().end());
    for (const PictureFile& file : files) {
        const fs::path path = fs::path(folder) / file.path;
        std::error_code code;
        fs::create_directories(path.parent_path(), code);
        Canvas canvas;
        if (!file.draw(fontFile, canvas)) {
            error = path.string() + ": cannot draw the text with the font " + fontFile;
            return false;
        }
        if (!SavePicture(canvas, file.format, path.string())) {
            error = path.string() + ": cannot write the file";
            return false;
        }
    }
    return true;
}
