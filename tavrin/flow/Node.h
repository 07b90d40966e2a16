#pragma once

#include <memory>
#include <vector>

namespace Tavrin::Flow {

// A timeline node, asked once per frame for its value at the demo time. A plain Node is a
// constant: it returns its value and ignores time and children.
//
// A node owns the children it adopted and the parameter nodes it keeps unlisted; children that
// were only lent (the registry's shared effects) are evaluated and counted but never deleted.
class Node {
public:
    explicit Node(float initialValue = 0.0f)
        : value(initialValue)
    {}
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual float evaluate(float time);
    void evaluateChildren(float time);

    // This node plus all listed descendants.
    int countNodes() const;

    // Appends an owned child and returns it, so that a parameter reference can point at it.
    template <class T>
    T* addChild(std::unique_ptr<T> child)
    {
        T* raw = child.get();
        children_.push_back(raw);
        owned_.push_back(std::move(child));
        return raw;
    }

    // Appends a node owned elsewhere; the tree evaluates and counts it but never deletes it.
    void addBorrowedChild(Node* child);

    // Owns a node without listing it: it is neither evaluated with the children nor counted.
    template <class T>
    T* keepUnlisted(std::unique_ptr<T> node)
    {
        T* raw = node.get();
        owned_.push_back(std::move(node));
        return raw;
    }

    const std::vector<Node*>& children() const { return children_; }

    float value;

private:
    std::vector<Node*> children_;
    std::vector<std::unique_ptr<Node>> owned_;
};

}
