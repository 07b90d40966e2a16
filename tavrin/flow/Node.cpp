#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

Node::~Node() = default;

float Node::evaluate(float) { return value; }

void Node::evaluateChildren(float time)
{
    for (Node* child : children_)
        child->evaluate(time);
}

int Node::countNodes() const
{
    int count = 1;
    for (const Node* child : children_)
        count += child->countNodes();
    return count;
}

void Node::addBorrowedChild(Node* child) { children_.push_back(child); }

}
