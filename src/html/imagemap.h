#pragma once

#include "html/htmlattribute.h"

#include <string>
#include <vector>

// A client-side image map: its areas in the order written; the first area that contains a
// point decides the link.
class ImageMap final {
public:
    enum Shape { kRect, kCircle, kPolygon };
    struct Area {
        Shape shape = kRect;
        std::vector<int> coords;
        std::string url;
        std::string target;
        int link = 0;
        bool contains(int x, int y) const;
    };

    explicit ImageMap(std::string name) : m_name(std::move(name)) {}

    // Adds an AREA; `linkCount` is the page's running link count, advanced for an HREF.
    // Areas with too few coordinates are dropped.
    void addArea(const qv::AttributeList& attrs, int& linkCount);
    // The area at (x, y) of the image, or null; an area without URL is no link.
    const Area* hit(int x, int y) const;

    const std::string& name() const { return m_name; }
    const std::vector<Area>& areas() const { return m_areas; }

private:
    std::string m_name;
    std::vector<Area> m_areas;
};
