#include "orvane/utils/scenegraph/Node.h"

#include "orvane/exceptions/Exception.h"

#include <utility>

namespace Orvane::Utils::SceneGraph {

Node::~Node() = default;

void Node::update(float time, const Matrix4& parent)
{
    local_.setIdentity();
    for (const Transform& transform : transforms_)
        local_ = local_ * transform->Sample(time);
    world_ = parent * local_;
    for (const auto& child : children_)
        child->update(time, world_);
}

Node* Node::findByName(const std::string& name) { return const_cast<Node*>(std::as_const(*this).findByName(name)); }

const Node* Node::findByName(const std::string& name) const
{
    if (getName() == name)
        return this;
    for (const auto& child : children_)
        if (const Node* found = child->findByName(name))
            return found;
    return nullptr;
}

Node& Node::addChild(std::unique_ptr<Node> child)
{
    if (!child)
        throw Exceptions::Exception("Node::addChild(): the child is missing");
    children_.push_back(std::move(child));
    return *children_.back();
}

void Node::addTransform(Transform transform)
{
    if (!transform)
        throw Exceptions::Exception("Node::addTransform(): the transform is missing");
    transforms_.push_back(std::move(transform));
}

}
